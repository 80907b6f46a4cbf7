// A main window for tests: error boxes are collected instead of shown, the music renders
// offline, and no timer runs on its own (the test drives the ticks).
#pragma once

#include "ErrorBox.h"
#include "Korvan_Editor_Source.h"
#include "MediaPlayer.h"

#include <QStringList>
#include <QTimer>

#include <memory>

namespace korvan::testing {

class CollectedErrors {
public:
    CollectedErrors()
    {
        previous_ = SetErrorPresenter([this](const QString& caption, const QString& text) {
            Captions << caption;
            Texts << text;
        });
    }
    ~CollectedErrors() { SetErrorPresenter(previous_); }
    QStringList Captions;
    QStringList Texts;

private:
    ErrorPresenter previous_;
};

inline void UseOfflineMusic(TForm_Main& form)
{
    korvan::MidiEngineOptions options = form.MediaPlayer1->EngineOptions();
    options.Output = korvan::AudioOutput::Offline;
    form.MediaPlayer1->SetEngineOptions(options);
}

// Runs the intro to its end by calling the intro tick by hand.
inline void RunIntro(TForm_Main& form)
{
    form.SplatTimer->stop();
    while (form.IntroTick <= 1250)
        form.SplatTimerTimer();
    form.Timer1->stop();
}

}  // namespace korvan::testing
