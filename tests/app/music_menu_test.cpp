// The music commands of the main window over the real player, rendered offline: the intro music,
// the switch to the editor music, the loop, "Musica Off" and "Musica On".
#include "AppFixture.h"
#include "MusicTestKit.h"
#include "TempFolder.h"

#include <QDir>
#include <QtTest>

#include <filesystem>

using korvan::testing::CollectedErrors;
using korvan::testing::MidiBytes;
using korvan::testing::PlayFor;
using korvan::testing::ScaleMidi;
using korvan::testing::TempFolder;
using korvan::testing::UseOfflineMusic;
using korvan::testing::WriteBytes;

class MusicMenuTest : public QObject {
    Q_OBJECT

    std::unique_ptr<TempFolder> folder_;
    QString previous_;

    void TickIntroTo(TForm_Main& form, int tick)
    {
        form.SplatTimer->stop();
        while (form.IntroTick < tick)
            form.SplatTimerTimer();
        form.Timer1->stop();
    }
    static bool MusicOn(TForm_Main& form) { return form.Item("Disattiva1")->isChecked(); }
    static bool MusicOff(TForm_Main& form) { return form.Item("Mozart1")->isChecked(); }

private slots:
    // A working folder of our own holding short music files; the artwork is found beside the tests.
    void init()
    {
        folder_ = std::make_unique<TempFolder>();
        std::filesystem::create_directory(folder_->Path() / "Music");
        WriteBytes(folder_->File("Music/Music1.mid"), ScaleMidi(2));  // 1 s
        WriteBytes(folder_->File("Music/Music2.mid"), ScaleMidi(6));  // 3 s
        previous_ = QDir::currentPath();
        QDir::setCurrent(QString::fromStdString(folder_->Path().string()));
    }
    void cleanup()
    {
        QDir::setCurrent(previous_);
        folder_.reset();
    }

    void IntroMusicLoopsThenTheEditorMusicStartsFromItsBeginning()
    {
        CollectedErrors errors;
        TForm_Main form;
        UseOfflineMusic(form);
        TickIntroTo(form, 11);
        QVERIFY(form.MediaPlayer1->IsPlaying());
        QCOMPARE(form.MediaPlayer1->FileName(), QString("Music/Music1.mid"));
        const int total = form.MediaPlayer1->TotalTicks();
        PlayFor(*form.MediaPlayer1, 1.3);  // past the end: the loop starts it again
        QVERIFY(form.MediaPlayer1->IsPlaying());
        QVERIFY(form.MediaPlayer1->CurrentTick() < total / 2);
        PlayFor(*form.MediaPlayer1, 0.5);  // in the middle of its second run

        TickIntroTo(form, 1251);
        QCOMPARE(form.MediaPlayer1->FileName(), QString("Music/Music2.mid"));
        QVERIFY(form.MediaPlayer1->IsPlaying());
        QVERIFY(form.MediaPlayer1->CurrentTick() < 50);
        QCOMPARE(errors.Texts, QStringList());
    }

    void OffStopsAndKeepsThePlaceOnResumesFromIt()
    {
        CollectedErrors errors;
        TForm_Main form;
        UseOfflineMusic(form);
        TickIntroTo(form, 1251);
        PlayFor(*form.MediaPlayer1, 1.0);
        QVERIFY(MusicOn(form));

        QVERIFY(form.MediaPlayer1->IsOutputOpen());
        form.Item("Mozart1")->trigger();  // "Musica Off"
        QVERIFY(MusicOff(form));
        QVERIFY(!MusicOn(form));
        QVERIFY(!form.MediaPlayer1->IsPlaying());
        QVERIFY(!form.MediaPlayer1->IsOutputOpen());  // closed, not just silent
        const int kept = form.MediaPlayer1->CurrentTick();
        QVERIFY(kept > 0);
        form.Item("Mozart1")->trigger();  // already off: nothing
        QVERIFY(MusicOff(form));
        PlayFor(*form.MediaPlayer1, 4.0);  // never restarts by itself while off
        QVERIFY(!form.MediaPlayer1->IsPlaying());
        QVERIFY(!form.MediaPlayer1->IsOutputOpen());
        QCOMPARE(form.MediaPlayer1->CurrentTick(), kept);

        form.Item("Disattiva1")->trigger();  // "Musica On": resumes where it stopped
        QVERIFY(MusicOn(form));
        QVERIFY(!MusicOff(form));
        QVERIFY(form.MediaPlayer1->IsOutputOpen());
        QVERIFY(form.MediaPlayer1->IsPlaying());
        QCOMPARE(form.MediaPlayer1->CurrentTick(), kept);
        PlayFor(*form.MediaPlayer1, 0.5);
        const int later = form.MediaPlayer1->CurrentTick();
        form.Item("Disattiva1")->trigger();  // already on: no restart
        QCOMPARE(form.MediaPlayer1->CurrentTick(), later);

        PlayFor(*form.MediaPlayer1, 2.5);  // the end: it starts again from the beginning
        QVERIFY(form.MediaPlayer1->IsPlaying());
        QVERIFY(form.MediaPlayer1->IsOutputOpen());
        QVERIFY(form.MediaPlayer1->CurrentTick() < later);
        QCOMPARE(errors.Texts, QStringList());
    }

    void AFileThatEndsWhileOffStartsAgainWhenTurnedOn()
    {
        CollectedErrors errors;
        TForm_Main form;
        UseOfflineMusic(form);
        TickIntroTo(form, 1251);
        PlayFor(*form.MediaPlayer1, 2.99);
        form.Item("Mozart1")->trigger();
        PlayFor(*form.MediaPlayer1, 0.1);
        form.Item("Disattiva1")->trigger();
        PlayFor(*form.MediaPlayer1, 0.3);
        QVERIFY(form.MediaPlayer1->IsPlaying());
        QCOMPARE(errors.Texts, QStringList());
    }

    // The end reached just before "Musica Off" is still on its way to the loop: the output closes
    // all the same, and "Musica On" opens it and starts the file again from the beginning.
    void OffJustAfterTheEndClosesTheOutputAndOnStartsAgain()
    {
        CollectedErrors errors;
        TForm_Main form;
        UseOfflineMusic(form);
        TickIntroTo(form, 1251);
        form.MediaPlayer1->RenderOffline(3 * 44100 + 4410);  // the end is posted, not yet delivered
        form.Item("Mozart1")->trigger();
        QVERIFY(!form.MediaPlayer1->IsOutputOpen());
        PlayFor(*form.MediaPlayer1, 0.5);  // the late end finds "Musica On" off
        QVERIFY(!form.MediaPlayer1->IsPlaying());
        QVERIFY(!form.MediaPlayer1->IsOutputOpen());
        form.Item("Disattiva1")->trigger();
        QVERIFY(form.MediaPlayer1->IsOutputOpen());
        PlayFor(*form.MediaPlayer1, 0.3);
        QVERIFY(form.MediaPlayer1->IsPlaying());
        QVERIFY(form.MediaPlayer1->CurrentTick() < 500);  // from the beginning
        QCOMPARE(errors.Texts, QStringList());
    }

    void BrokenEditorMusicIsReportedOnceAndTheMarksStillMove()
    {
        WriteBytes(folder_->File("Music/Music2.mid"), {'n', 'o', 't', ' ', 'M', 'I', 'D', 'I'});
        CollectedErrors errors;
        TForm_Main form;
        UseOfflineMusic(form);
        TickIntroTo(form, 1251);
        QCOMPARE(errors.Texts.size(), 1);
        QVERIFY(errors.Texts[0].contains("Music/Music2.mid"));
        QVERIFY(!form.MediaPlayer1->IsOpen());
        QVERIFY(form.Timer1->isActive() || form.IntroTick == 1251);  // the editor runs on
        form.Timer1Timer();

        form.Item("Mozart1")->trigger();
        QVERIFY(MusicOff(form));
        QCOMPARE(errors.Texts.last(), QString("No MCI device open."));
        form.Item("Disattiva1")->trigger();
        QVERIFY(MusicOn(form));
        QCOMPARE(errors.Texts.size(), 3);
        QCOMPARE(errors.Texts.last(), QString("No MCI device open."));
    }

    void AnIntroMusicFailureDoesNotStopTheIntro()
    {
        WriteBytes(folder_->File("Music/Music1.mid"), {});
        CollectedErrors errors;
        TForm_Main form;
        UseOfflineMusic(form);
        TickIntroTo(form, 1251);
        QCOMPARE(errors.Texts.size(), 1);
        QVERIFY(errors.Texts[0].contains("Music/Music1.mid"));
        QVERIFY(form.MediaPlayer1->IsPlaying());  // the editor music still starts
    }
};

QTEST_MAIN(MusicMenuTest)
#include "music_menu_test.moc"
