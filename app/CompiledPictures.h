// The pictures compiled into the program: the terrain legend, the author and version pictures, the icon.
#pragma once

// Makes ":/pictures/…" readable. Call before the first window that shows one is created; calling
// it again does no harm.
void RegisterCompiledPictures();
