// Registration of the compiled-in pictures.
#include "CompiledPictures.h"

#include <QtGlobal>

// The resource object sits in the korvan_app static library, where nothing else refers to it:
// without this call the linker leaves it out and every picture comes out empty.
void RegisterCompiledPictures() { Q_INIT_RESOURCE(pictures); }
