// MediaPlayer1: position, Stop/Rewind, the end-of-file notification and the errors of Open.
#include "FakePaceClock.h"
#include "MusicTestKit.h"
#include "TempFolder.h"
#include "base/KorvanError.h"

#include <QDir>
#include <QFileInfo>
#include <QSignalSpy>
#include <QTest>
#include <QThread>

#include <functional>
#include <memory>
#include <sys/stat.h>
#include <unistd.h>

using korvan::AudioOutput;
using korvan::KorvanError;
using korvan::testing::PlayFor;

namespace {

constexpr int Rate = 44100;

// The message of the KorvanError that action raises, or "no error".
QString ErrorOf(const std::function<void()>& action)
{
    try {
        action();
    } catch (const KorvanError& error) {
        return QString::fromStdString(error.what());
    }
    return "no error";
}

// Seconds of audio rendered until the first notification, looking in 10 ms steps; -1 if none
// arrives within `limit` seconds.
double SecondsToNotify(TMediaPlayer& player, QSignalSpy& spy, double limit)
{
    const int before = static_cast<int>(spy.count());
    for (double played = 0; played < limit; played += 0.01) {
        PlayFor(player, 0.01);
        if (spy.count() > before)
            return played + 0.01;
    }
    return -1;
}

}  // namespace

class MediaPlayerTest : public QObject {
    Q_OBJECT

    korvan::testing::TempFolder folder_;
    QString oneSecond_;   // two quarter notes: 960 ticks, 1 s
    QString twoSeconds_;  // four quarter notes: 1920 ticks, 2 s

    std::unique_ptr<TMediaPlayer> OpenOffline(const QString& file)
    {
        auto player = std::make_unique<TMediaPlayer>(nullptr, AudioOutput::Offline);
        player->SetFileName(file);
        player->Open();
        return player;
    }

private slots:
    void initTestCase()
    {
        oneSecond_ = QString::fromStdString(folder_.File("one.mid"));
        twoSeconds_ = QString::fromStdString(folder_.File("two.mid"));
        korvan::testing::WriteBytes(oneSecond_.toStdString(), korvan::testing::ScaleMidi(2));
        korvan::testing::WriteBytes(twoSeconds_.toStdString(), korvan::testing::ScaleMidi(4));
    }

    void startsWithMusic1AndNothingOpen()
    {
        TMediaPlayer player;
        QCOMPARE(player.EngineOptions().Output, AudioOutput::Device);
        player.SetAudioOutput(AudioOutput::Offline);
        QCOMPARE(player.EngineOptions().Output, AudioOutput::Offline);
        QCOMPARE(player.FileName(), QString("Music/Music1.mid"));
        QCOMPARE(player.property("FileName").toString(), QString("Music/Music1.mid"));
        player.setProperty("FileName", "Music/Music2.mid");
        QCOMPARE(player.FileName(), QString("Music/Music2.mid"));
        QVERIFY(!player.IsOpen());
        QCOMPARE(ErrorOf([&] { player.Close(); }), QString("no error"));
    }

    void operationsWithoutAnOpenFileFail_data()
    {
        QTest::addColumn<QString>("before");
        QTest::newRow("never opened") << "";
        QTest::newRow("closed") << "close";
        QTest::newRow("failed open") << "failed open";
    }
    void operationsWithoutAnOpenFileFail()
    {
        QFETCH(QString, before);
        TMediaPlayer player(nullptr, AudioOutput::Offline);
        if (!before.isEmpty()) {
            player.SetFileName(oneSecond_);
            player.Open();
            player.Play();
            PlayFor(player, 0.1);
            if (before == "close") {
                player.Close();
            } else {
                player.SetFileName(QString::fromStdString(folder_.File("missing.mid")));
                QVERIFY(ErrorOf([&] { player.Open(); }) != "no error");
            }
        }
        QSignalSpy spy(&player, &TMediaPlayer::Notify);
        QCOMPARE(ErrorOf([&] { player.Play(); }), QString("No MCI device open"));
        QCOMPARE(ErrorOf([&] { player.Stop(); }), QString("No MCI device open"));
        QCOMPARE(ErrorOf([&] { player.Rewind(); }), QString("No MCI device open"));
        QCOMPARE(ErrorOf([&] { player.Close(); }), QString("no error"));
        PlayFor(player, 1.5);
        QCOMPARE(spy.count(), 0);
        QVERIFY(!player.IsOpen());
    }

    void openErrorsNameTheFileAndLeaveNothingOpen_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QByteArray>("content");  // "-" for no file at all
        QTest::addColumn<QString>("reason");
        const auto bytes = [](std::vector<std::uint8_t> data) {
            return QByteArray(reinterpret_cast<const char*>(data.data()), static_cast<int>(data.size()));
        };
        std::vector<std::uint8_t> smpte = korvan::testing::ScaleMidi(2);
        smpte[12] = 0xE7;  // -25 frames per second
        smpte[13] = 40;
        std::vector<std::uint8_t> truncated = korvan::testing::ScaleMidi(4);
        truncated.erase(truncated.end() - 10, truncated.end());  // the last ten bytes cut off
        QTest::newRow("missing") << "missing.mid" << QByteArray("-") << "File not found";
        QTest::newRow("missing folder") << "nofolder/Music1.mid" << QByteArray("-") << "Invalid filename";
        QTest::newRow("folder") << "." << QByteArray("-") << "not a regular file";
        QTest::newRow("empty") << "empty.mid" << QByteArray() << "not a MIDI file";
        QTest::newRow("text") << "text.mid" << QByteArray("Musica! Musica! Musica!\n") << "not a MIDI file";
        QTest::newRow("RIFF wave") << "wave.mid" << QByteArray("RIFF\x24\0\0\0WAVEfmt ", 16) << "not a MIDI file";
        QTest::newRow("truncated") << "cut.mid" << bytes(truncated) << "damaged MIDI file";
        QTest::newRow("SMPTE timing") << "smpte.mid" << bytes(smpte) << "SMPTE";
        QTest::newRow("no music") << "silence.mid" << bytes(korvan::testing::MidiBytes({{}})) << "lasts 0 ticks";
    }
    void openErrorsNameTheFileAndLeaveNothingOpen()
    {
        QFETCH(QString, name);
        QFETCH(QByteArray, content);
        QFETCH(QString, reason);
        const QString path = QString::fromStdString(folder_.File(name.toStdString()));
        if (content != "-")
            korvan::testing::WriteBytes(path.toStdString(), {content.begin(), content.end()});

        // A file that is playing when Open fails is closed by it, and never reports its end.
        auto player = OpenOffline(oneSecond_);
        QSignalSpy spy(player.get(), &TMediaPlayer::Notify);
        player->Play();
        PlayFor(*player, 0.5);
        player->SetFileName(path);
        const QString message = ErrorOf([&] { player->Open(); });
        QVERIFY2(message.contains("\"" + path + "\""), qPrintable(message));
        QVERIFY2(message.contains(reason), qPrintable(message));
        QVERIFY(!player->IsOpen());
        QVERIFY(!player->IsPlaying());
        PlayFor(*player, 1.5);
        QCOMPARE(spy.count(), 0);
        QCOMPARE(ErrorOf([&] { player->Play(); }), QString("No MCI device open"));
    }

    void findsItsMusicBesideTheProgram()
    {
        const QString relative = "Music/media-player-test.mid";
        const QString beside = QCoreApplication::applicationDirPath() + "/" + relative;
        const QString folder = QFileInfo(beside).path();
        const bool madeFolder = !QFileInfo::exists(folder);
        QDir().mkpath(folder);
        korvan::testing::WriteBytes(beside.toStdString(), korvan::testing::ScaleMidi(3));
        const QString previous = QDir::currentPath();
        QDir::setCurrent(QString::fromStdString(folder_.Path().string()));

        TMediaPlayer player(nullptr, AudioOutput::Offline);
        player.SetFileName(relative);
        const QString message = ErrorOf([&] { player.Open(); });

        QDir::setCurrent(previous);
        QFile::remove(beside);
        if (madeFolder)
            QDir().rmdir(folder);
        QCOMPARE(message, QString("no error"));
        QCOMPARE(player.TotalTicks(), 3 * korvan::testing::TicksPerQuarter);
        QCOMPARE(player.FileName(), relative);
    }

    void unreadableFileIsAnOpenError()
    {
        if (::geteuid() == 0)
            QSKIP("root reads every file");
        const std::string path = folder_.File("locked.mid");
        korvan::testing::WriteBytes(path, korvan::testing::ScaleMidi(2));
        ::chmod(path.c_str(), 0);
        TMediaPlayer player(nullptr, AudioOutput::Offline);
        player.SetFileName(QString::fromStdString(path));
        const QString message = ErrorOf([&] { player.Open(); });
        QVERIFY2(message.contains("File access denied"), qPrintable(message));
        QVERIFY(!player.IsOpen());
    }

    void missingSoundFontSaysWhatToInstall()
    {
        TMediaPlayer player(nullptr, AudioOutput::Offline);
        korvan::MidiEngineOptions options = player.EngineOptions();
        options.SoundFonts = {folder_.File("none.sf2"), folder_.File("nothing.sf2")};
        player.SetEngineOptions(options);
        player.SetFileName(oneSecond_);
        QCOMPARE(ErrorOf([&] { player.Open(); }),
                 QString("No General MIDI SoundFont found: install timgm6mb-soundfont"));
        QVERIFY(!player.IsOpen());

        options.SoundFonts = {oneSecond_.toStdString()};  // exists, but is no SoundFont
        player.SetEngineOptions(options);
        const QString message = ErrorOf([&] { player.Open(); });
        QVERIFY2(message.startsWith("Cannot load the SoundFont \"" + oneSecond_ + "\": "), qPrintable(message));
        QVERIFY(!player.IsOpen());
    }

    void missingAudioDeviceIsAnOpenError()
    {
        TMediaPlayer player;
        korvan::MidiEngineOptions options = player.EngineOptions();
        options.AudioDrivers = {"no-such-driver"};
        player.SetEngineOptions(options);
        player.SetFileName(oneSecond_);
        QString message = ErrorOf([&] { player.Open(); });
        QVERIFY2(message.startsWith("No audio device could be opened for the music (no-such-driver: "), qPrintable(message));
        QVERIFY2(message.contains("sound server"), qPrintable(message));
        QVERIFY(!player.IsOpen());
        QCOMPARE(ErrorOf([&] { player.Play(); }), QString("No MCI device open"));

        // The real drivers: on a machine without sound this must be the same kind of error, not a crash.
        player.SetEngineOptions(korvan::MidiEngineOptions{});
        message = ErrorOf([&] { player.Open(); });
        if (message == "no error")
            QSKIP("this machine has a working audio device");
        QVERIFY2(message.startsWith("No audio device could be opened for the music (PulseAudio: "), qPrintable(message));
        QVERIFY2(message.contains("; ALSA: "), qPrintable(message));
        QVERIFY(!player.IsOpen());
    }

    // The live path: ALSA's null device takes audio as fast as it is made and a clock that jumps
    // to the end of every wait leaves the pacer no time to keep, so the audio thread races through
    // the music while the UI thread works the player.
    void endsFoundOnTheAudioThreadReachTheUiThread()
    {
        TMediaPlayer player;
        korvan::MidiEngineOptions options = player.EngineOptions();
        options.AudioDrivers = {"alsa"};
        options.AlsaDevice = "null";
        options.Clock = std::make_shared<korvan::testing::FakePaceClock>(/*jumping=*/true);
        player.SetEngineOptions(options);
        player.SetFileName(oneSecond_);
        if (ErrorOf([&] { player.Open(); }) != "no error")
            QSKIP("ALSA's null device is not available");
        QSignalSpy spy(&player, &TMediaPlayer::Notify);

        // Every end that the audio thread posts before the event loop runs is withdrawn by the
        // Rewind, Close or Open that follows it.
        for (int round = 0; round < 60; ++round) {
            player.Play();
            for (int wait = 0; player.IsPlaying() && wait < 10000; ++wait)
                QThread::usleep(1000);  // no event loop here: the end is posted, not delivered
            QVERIFY(!player.IsPlaying());
            if (round % 3 == 0) {
                player.Rewind();
            } else if (round % 3 == 1) {
                player.Close();
                player.Open();
            } else {
                player.Open();
            }
            QCoreApplication::processEvents();
        }
        QCOMPARE(spy.count(), 0);

        // The editor's loop, five times round, each end delivered on the UI thread.
        int rounds = 0;
        bool onUiThread = true;
        connect(&player, &TMediaPlayer::Notify, this, [&] {
            onUiThread = onUiThread && QThread::currentThread() == thread();
            if (++rounds < 5) {
                player.Rewind();
                player.Play();
            }
        });
        player.Play();
        QTRY_COMPARE_WITH_TIMEOUT(rounds, 5, 20000);
        QVERIFY(onUiThread);
        QVERIFY(!player.IsPlaying());
        QCOMPARE(player.CurrentTick(), player.TotalTicks());
        QTest::qWait(50);
        QCOMPARE(rounds, 5);
    }

    // The output is open while a file is, but for a Stop: a stopped player keeps no stream open.
    // The loop (Rewind, Play) keeps it open, so the music joins up without a gap.
    void theOutputIsClosedByStopAndCloseAndOpenedByPlayAndOpen_data()
    {
        QTest::addColumn<QStringList>("steps");
        QTest::addColumn<QString>("open");  // the output after each step: 1 open, 0 closed
        QTest::newRow("open, play") << QStringList{"open", "play"} << "11";
        QTest::newRow("stop, play") << QStringList{"open", "play", "stop", "play"} << "1101";
        QTest::newRow("stop twice") << QStringList{"open", "play", "stop", "stop", "play"} << "11001";
        QTest::newRow("stop before playing") << QStringList{"open", "stop", "play"} << "101";
        QTest::newRow("stop at the end") << QStringList{"open", "play", "to the end", "stop", "play"} << "11101";
        QTest::newRow("rewind, play: the loop") << QStringList{"open", "play", "to the end", "rewind", "play"} << "11111";
        QTest::newRow("stop, rewind, play") << QStringList{"open", "play", "stop", "rewind", "play"} << "11001";
        QTest::newRow("close") << QStringList{"open", "play", "close"} << "110";
        QTest::newRow("stop, open") << QStringList{"open", "play", "stop", "open"} << "1101";
        QTest::newRow("failed open") << QStringList{"open", "play", "open missing"} << "110";
    }
    void theOutputIsClosedByStopAndCloseAndOpenedByPlayAndOpen()
    {
        QFETCH(QStringList, steps);
        QFETCH(QString, open);
        TMediaPlayer player(nullptr, AudioOutput::Offline);
        QSignalSpy spy(&player, &TMediaPlayer::Notify);
        QVERIFY(!player.IsOutputOpen());
        for (int i = 0; i < steps.size(); ++i) {
            const QString& step = steps[i];
            if (step == "open" || step == "open missing") {
                player.SetFileName(step == "open" ? twoSeconds_ : QString::fromStdString(folder_.File("missing.mid")));
                ErrorOf([&] { player.Open(); });
            } else if (step == "play") {
                player.Play();
            } else if (step == "stop") {
                player.Stop();
            } else if (step == "rewind") {
                player.Rewind();
            } else if (step == "close") {
                player.Close();
            } else {
                PlayFor(player, 2.1);
            }
            QVERIFY2(player.IsOutputOpen() == (open[i] == '1'), qPrintable(QString("after %1").arg(step)));
            if (!player.IsOutputOpen()) {  // a closed output makes nothing and moves nothing
                const int tick = player.CurrentTick();
                QCOMPARE(korvan::testing::Peak(PlayFor(player, 0.5)), 0);
                QCOMPARE(player.CurrentTick(), tick);
            }
        }
        if (player.IsPlaying()) {  // whatever came before, the music plays on to its end
            QVERIFY(korvan::testing::Peak(PlayFor(player, 0.5)) > 2000);
            QVERIFY(SecondsToNotify(player, spy, 3.0) > 0);
        }
    }

    // Stop and Play with the output closed between them: when the music resumes, no note of before
    // the stop sounds on, and it goes on as it would have without the pause.
    void playAfterStopResumesWithNothingLeftRinging()
    {
        auto paused = OpenOffline(twoSeconds_);
        paused->Play();
        PlayFor(*paused, 0.75);  // in the middle of the second note
        paused->Stop();
        QVERIFY(paused->CurrentTick() > 700 && paused->CurrentTick() <= 720);
        QVERIFY(!paused->IsOutputOpen());
        paused->Play();
        const std::vector<std::int16_t> resumed = PlayFor(*paused, 0.2);  // up to the third note
        QVERIFY2(korvan::testing::Peak(resumed) < 100, qPrintable(QString::number(korvan::testing::Peak(resumed))));
        QVERIFY(korvan::testing::Peak(PlayFor(*paused, 0.2)) > 2000);  // the third note sounds
    }

    void openPositionsAtTheStartWithoutPlaying()
    {
        auto player = OpenOffline(twoSeconds_);
        QSignalSpy spy(player.get(), &TMediaPlayer::Notify);
        QVERIFY(player->IsOpen());
        QVERIFY(!player->IsPlaying());
        QCOMPARE(player->TotalTicks(), 4 * korvan::testing::TicksPerQuarter);
        QCOMPARE(korvan::testing::Peak(PlayFor(*player, 0.5)), 0);
        QCOMPARE(player->CurrentTick(), 0);
        QCOMPARE(spy.count(), 0);
    }

    void playingMakesSound()
    {
        auto player = OpenOffline(twoSeconds_);
        player->Play();
        QVERIFY(player->IsPlaying());
        const std::vector<std::int16_t> audio = PlayFor(*player, 1.0);
        QVERIFY2(korvan::testing::Peak(audio) > 2000, qPrintable(QString::number(korvan::testing::Peak(audio))));
        QVERIFY(player->CurrentTick() > 900 && player->CurrentTick() < 1000);
    }

    void stopKeepsThePositionAndPlayResumesThere()
    {
        auto player = OpenOffline(twoSeconds_);
        QSignalSpy spy(player.get(), &TMediaPlayer::Notify);
        player->Play();
        PlayFor(*player, 0.6);
        player->Stop();
        const int stoppedAt = player->CurrentTick();
        QVERIFY(stoppedAt > 500 && stoppedAt < 700);
        QVERIFY(!player->IsPlaying());
        PlayFor(*player, 3.0);  // longer than the whole file: nothing moves while stopped
        QCOMPARE(player->CurrentTick(), stoppedAt);
        QCOMPARE(spy.count(), 0);

        player->Play();
        player->RenderOffline(256);
        QVERIFY2(player->CurrentTick() >= stoppedAt && player->CurrentTick() <= stoppedAt + 20,
                 qPrintable(QString::number(player->CurrentTick())));
        // The rest of the file, not the whole of it, is left to play.
        const double rest = 2.0 - stoppedAt / 960.0;
        const double heard = SecondsToNotify(*player, spy, 3.0);
        QVERIFY2(heard > rest - 0.05 && heard < rest + 0.05, qPrintable(QString::number(heard)));
        QCOMPARE(spy.count(), 1);
    }

    void rewindGoesToTheStartWithoutPlaying_data()
    {
        QTest::addColumn<QString>("state");
        QTest::newRow("playing") << "playing";
        QTest::newRow("stopped") << "stopped";
        QTest::newRow("at the end") << "end";
    }
    void rewindGoesToTheStartWithoutPlaying()
    {
        QFETCH(QString, state);
        auto player = OpenOffline(twoSeconds_);
        QSignalSpy spy(player.get(), &TMediaPlayer::Notify);
        player->Play();
        PlayFor(*player, state == "end" ? 2.5 : 1.2);
        if (state == "stopped")
            player->Stop();
        const int ends = static_cast<int>(spy.count());
        QCOMPARE(ends, state == "end" ? 1 : 0);

        player->Rewind();
        QCOMPARE(player->CurrentTick(), 0);
        QVERIFY(!player->IsPlaying());
        PlayFor(*player, 3.0);
        QCOMPARE(player->CurrentTick(), 0);
        QCOMPARE(spy.count(), ends);

        player->Play();
        player->RenderOffline(256);
        QVERIFY2(player->CurrentTick() < 20, qPrintable(QString::number(player->CurrentTick())));
        const double heard = SecondsToNotify(*player, spy, 3.0);
        QVERIFY2(heard > 1.95 && heard < 2.05, qPrintable(QString::number(heard)));
        QCOMPARE(spy.count(), ends + 1);
    }

    void theEndIsNotifiedOnceQueuedAndPromptly()
    {
        auto player = OpenOffline(oneSecond_);
        QSignalSpy spy(player.get(), &TMediaPlayer::Notify);
        player->Play();
        const double heard = SecondsToNotify(*player, spy, 3.0);
        QVERIFY2(heard > 0.99 && heard < 1.03, qPrintable(QString::number(heard)));
        QVERIFY(!player->IsPlaying());
        QCOMPARE(player->CurrentTick(), player->TotalTicks());
        PlayFor(*player, 5.0);  // past FluidSynth's own, later idea of the end
        QCOMPARE(spy.count(), 1);

        // Rendering past the end only posts the news: it comes from the event loop.
        player->Rewind();
        player->Play();
        player->RenderOffline(2 * Rate);
        QCOMPARE(spy.count(), 1);
        QCoreApplication::processEvents();
        QCOMPARE(spy.count(), 2);
    }

    void playAtTheEndNotifiesAtOnceWithoutPlaying()
    {
        auto player = OpenOffline(oneSecond_);
        QSignalSpy spy(player.get(), &TMediaPlayer::Notify);
        player->Play();
        PlayFor(*player, 1.5);
        QCOMPARE(spy.count(), 1);
        for (int again = 2; again <= 3; ++again) {
            player->Play();
            QCOMPARE(spy.count(), again - 1);  // never inside Play
            QCoreApplication::processEvents();
            QCOMPARE(spy.count(), again);
            QVERIFY(!player->IsPlaying());
            QCOMPARE(player->CurrentTick(), player->TotalTicks());
        }
        PlayFor(*player, 1.0);
        QCOMPARE(spy.count(), 3);
    }

    void noNotificationForAPlaybackCutShort_data()
    {
        QTest::addColumn<QString>("action");
        QTest::addColumn<double>("playedFirst");  // 1.2 s: the end is already posted but not yet delivered
        for (const double played : {0.9, 1.2}) {
            const char* when = played < 1 ? "before the end" : "with the end pending";
            QTest::addRow("Rewind %s", when) << "rewind" << played;
            QTest::addRow("Close %s", when) << "close" << played;
            QTest::addRow("Open of another file %s", when) << "open other" << played;
            QTest::addRow("Open of the same file %s", when) << "open same" << played;
        }
        QTest::newRow("Stop before the end") << "stop" << 0.9;
    }
    void noNotificationForAPlaybackCutShort()
    {
        QFETCH(QString, action);
        QFETCH(double, playedFirst);
        auto player = OpenOffline(oneSecond_);
        QSignalSpy spy(player.get(), &TMediaPlayer::Notify);
        player->Play();
        player->RenderOffline(static_cast<int>(playedFirst * Rate));  // no event loop yet
        QCOMPARE(player->IsPlaying(), playedFirst < 1);
        if (action == "rewind") {
            player->Rewind();
        } else if (action == "close") {
            player->Close();
        } else if (action == "stop") {
            player->Stop();
        } else {
            player->SetFileName(action == "open same" ? oneSecond_ : twoSeconds_);
            player->Open();
            QCOMPARE(player->CurrentTick(), 0);
            QVERIFY(!player->IsPlaying());
        }
        PlayFor(*player, 3.0);
        QCOMPARE(spy.count(), 0);
    }

    // A Stop that comes after the end has no playback left to cut short: the end still counts.
    void stopAfterTheEndKeepsItsNotification()
    {
        auto player = OpenOffline(oneSecond_);
        QSignalSpy spy(player.get(), &TMediaPlayer::Notify);
        player->Play();
        player->RenderOffline(2 * Rate);
        player->Stop();
        PlayFor(*player, 1.0);
        QCOMPARE(spy.count(), 1);
        QCOMPARE(player->CurrentTick(), player->TotalTicks());
    }

    void theEditorsLoopRestartsTheFileAtEveryEnd()
    {
        auto player = OpenOffline(oneSecond_);
        QSignalSpy spy(player.get(), &TMediaPlayer::Notify);
        connect(player.get(), &TMediaPlayer::Notify, player.get(), [&player] {
            player->Rewind();
            player->Play();
        });
        player->Play();
        const std::vector<std::int16_t> audio = PlayFor(*player, 3.5);
        QCOMPARE(spy.count(), 3);
        QVERIFY(player->IsPlaying());
        QVERIFY(player->CurrentTick() > 400 && player->CurrentTick() < 560);
        // The restarted file sounds again: the last half second is not silent.
        const std::vector<std::int16_t> last(audio.end() - Rate, audio.end());
        QVERIFY2(korvan::testing::Peak(last) > 2000, qPrintable(QString::number(korvan::testing::Peak(last))));
    }

    void openReplacesThePlayingFileAtItsStart()
    {
        auto player = OpenOffline(twoSeconds_);
        QSignalSpy spy(player.get(), &TMediaPlayer::Notify);
        player->Play();
        PlayFor(*player, 1.5);
        player->SetFileName(oneSecond_);
        player->Open();
        QCOMPARE(player->TotalTicks(), 960);
        QCOMPARE(player->CurrentTick(), 0);
        PlayFor(*player, 2.0);
        QCOMPARE(spy.count(), 0);
        player->Play();
        const double heard = SecondsToNotify(*player, spy, 3.0);
        QVERIFY2(heard > 0.99 && heard < 1.03, qPrintable(QString::number(heard)));
    }

    void multiTrackFileEndsWithItsLongestTrack()
    {
        using korvan::testing::TestNote;
        const std::string path = folder_.File("tracks.mid");
        korvan::testing::WriteBytes(path, korvan::testing::MidiBytes({{{0, 480, 60}}, {{240, 1200, 67, 1}}, {}}));
        auto player = OpenOffline(QString::fromStdString(path));
        QCOMPARE(player->TotalTicks(), 1440);
        QSignalSpy spy(player.get(), &TMediaPlayer::Notify);
        player->Play();
        const double heard = SecondsToNotify(*player, spy, 3.0);
        QVERIFY2(heard > 1.49 && heard < 1.53, qPrintable(QString::number(heard)));
    }

    void destroyingThePlayerDropsItsPendingEnd()
    {
        auto player = OpenOffline(oneSecond_);
        int heard = 0;
        connect(player.get(), &TMediaPlayer::Notify, this, [&heard] { ++heard; });
        player->Play();
        player->RenderOffline(2 * Rate);
        player.reset();
        QCoreApplication::processEvents();
        QCOMPARE(heard, 0);
    }
};

QTEST_MAIN(MediaPlayerTest)
#include "media_player_test.moc"
