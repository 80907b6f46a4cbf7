// The music commands: intro music, the switch to the editor music, the loop, on and off.
#include "Korvan_Editor_Source.h"

#include "MediaPlayer.h"

#include <QAction>

void TForm_Main::MusicaClick()
{
    MediaPlayer1->Open();
    MediaPlayer1->Play();
}

void TForm_Main::SwitchToEditorMusic()
{
    RunReportedOnce([this] {
        MediaPlayer1->SetFileName("Music/Music2.mid");
        MediaPlayer1->Open();  // closes the intro music wherever it is
        MediaPlayer1->Play();
    });
}

void TForm_Main::MediaPlayer1Notify()
{
    RunReportedOnce([this] {
        if (!Item("Disattiva1")->isChecked())
            return;
        MediaPlayer1->Rewind();
        MediaPlayer1->Play();
    });
}

// The marks move before the player is called: a late notification then finds "Musica On" off,
// and after a player error the marks still show what the user chose.
void TForm_Main::Mozart1Click()
{
    if (Item("Mozart1")->isChecked())
        return;
    Item("Mozart1")->setChecked(true);
    Item("Disattiva1")->setChecked(false);
    MediaPlayer1->Stop();
}

void TForm_Main::Disattiva1Click()
{
    if (Item("Disattiva1")->isChecked())
        return;
    Item("Disattiva1")->setChecked(true);
    Item("Mozart1")->setChecked(false);
    MediaPlayer1->Play();
}
