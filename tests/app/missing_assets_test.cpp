// Start-up with missing or broken artwork and music: the editor is reached, and each problem is
// reported once however many ticks run. Built outside the run folder (see CMakeLists.txt), so that
// the program's own folder holds no artwork to fall back on; the test's working folder holds a copy
// of the run folder's Graphic/ and Music/ with one file taken away or spoilt.
#include "AppFixture.h"
#include "present/TImage.h"
#include "TempFolder.h"

#include "edit/Editor.h"

#include <QDir>
#include <QMenuBar>
#include <QtTest>

#include <filesystem>
#include <fstream>
#include <sys/stat.h>

using korvan::testing::CollectedErrors;
using korvan::testing::RunIntro;
using korvan::testing::TempFolder;
using korvan::testing::UseOfflineMusic;

namespace {

namespace fs = std::filesystem;

enum class Damage { Missing, Broken, Truncated, Fifo };

// The working folder of one start-up, restored when it ends.
class AssetFolder {
public:
    AssetFolder()
    {
        for (const char* sub : {"Graphic", "Music"})
            fs::copy(fs::path(KORVAN_RUN_DIR) / sub, folder_.Path() / sub, fs::copy_options::recursive);
        previous_ = QDir::currentPath();
        QDir::setCurrent(QString::fromStdString(folder_.Path().string()));
    }
    ~AssetFolder() { QDir::setCurrent(previous_); }

    void Spoil(const QString& file, Damage damage) const
    {
        const fs::path path = folder_.Path() / file.toStdString();
        const auto size = fs::file_size(path);
        if (damage == Damage::Truncated) {
            fs::resize_file(path, size / 2);
            return;
        }
        fs::remove(path);
        if (damage == Damage::Broken)
            std::ofstream(path, std::ios::binary) << "BM this is not a picture nor a song";
        if (damage == Damage::Fifo)
            QCOMPARE(::mkfifo(path.c_str(), 0644), 0);
    }

private:
    TempFolder folder_;
    QString previous_;
};

int CountContaining(const QStringList& texts, const QString& part)
{
    int count = 0;
    for (const QString& text : texts)
        count += text.contains(part) ? 1 : 0;
    return count;
}

// Starts the program, runs the intro and many frames, and checks the editor is up.
void StartAndRun(TForm_Main& form, int frames)
{
    RunIntro(form);
    QCOMPARE(form.IntroTick, 1251);
    QVERIFY(form.MainMenu1->isVisible());
    QCOMPARE(form.Image1->size(), QSize(640, 480));
    for (int i = 0; i < frames; ++i)
        form.Timer1Timer();
    form.Timer1->stop();
}

void RequireNoRepeats(const QStringList& texts)
{
    for (const QString& text : texts)
        QVERIFY2(texts.count(text) == 1, qPrintable("reported more than once: " + text));
}

}  // namespace

class MissingAssetsTest : public QObject {
    Q_OBJECT

private slots:
    void EachDamagedFileIsReportedOnceAndTheEditorIsReached_data()
    {
        QTest::addColumn<QString>("file");
        QTest::addColumn<int>("damage");
        QTest::addColumn<QString>("message");
        const QStringList files = {"Graphic/Cities.BMP", "Graphic/Units.BMP",  "Graphic/Territ.BMP",
                                   "Graphic/Lands.BMP",  "Graphic/Terrain.BMP", "Graphic/Quadri.BMP",
                                   "Graphic/Splatt.BMP", "Graphic/Black.BMP",  "Music/Music1.mid",
                                   "Music/Music2.mid"};
        // Every message names its file.
        for (const QString& file : files) {
            if (file.startsWith("Music")) {
                const QString quoted = "\"" + file + "\": ";
                QTest::newRow(qPrintable("missing " + file)) << file << int(Damage::Missing) << quoted + "File not found";
                QTest::newRow(qPrintable("broken " + file)) << file << int(Damage::Broken) << quoted + "not a MIDI file";
                QTest::newRow(qPrintable("fifo " + file)) << file << int(Damage::Fifo) << quoted + "not a regular file";
                continue;
            }
            QTest::newRow(qPrintable("missing " + file)) << file << int(Damage::Missing) << "File not found: " + file;
            QTest::newRow(qPrintable("broken " + file))
                << file << int(Damage::Broken) << "Bitmap image is not valid: " + file;
            // Qt hands back the rows it could read without a word: every pixel must have been read.
            QTest::newRow(qPrintable("truncated " + file))
                << file << int(Damage::Truncated) << "Bitmap image is not valid: " + file;
            QTest::newRow(qPrintable("fifo " + file)) << file << int(Damage::Fifo) << "Not a regular file: " + file;
        }
    }

    void EachDamagedFileIsReportedOnceAndTheEditorIsReached()
    {
        QFETCH(QString, file);
        QFETCH(int, damage);
        QFETCH(QString, message);
        AssetFolder folder;
        folder.Spoil(file, Damage(damage));
        if (QTest::currentTestFailed())
            return;

        CollectedErrors errors;
        TForm_Main form;
        UseOfflineMusic(form);
        StartAndRun(form, 200);
        if (QTest::currentTestFailed())
            return;

        QCOMPARE(CountContaining(errors.Texts, message), 1);
        RequireNoRepeats(errors.Texts);
        // Besides the file's own error, at most a short sheet's blit error, once.
        for (const QString& text : errors.Texts)
            QVERIFY2(text.contains(message) || text.startsWith("Scan line index out of range"), qPrintable(text));
    }

    void MusicWithoutSoundFontOrAudioDeviceIsReportedOnce_data()
    {
        QTest::addColumn<bool>("noSoundFont");
        QTest::addColumn<QString>("message");
        QTest::newRow("no SoundFont") << true << "No General MIDI SoundFont found: install timgm6mb-soundfont";
        QTest::newRow("no audio device") << false << "No audio device could be opened for the music";
    }

    void MusicWithoutSoundFontOrAudioDeviceIsReportedOnce()
    {
        QFETCH(bool, noSoundFont);
        QFETCH(QString, message);
        AssetFolder folder;
        CollectedErrors errors;
        TForm_Main form;
        korvan::MidiEngineOptions options = form.MediaPlayer1->EngineOptions();
        if (noSoundFont) {
            options.Output = korvan::AudioOutput::Offline;
            options.SoundFonts = {"/nonexistent/none.sf2"};
        } else {
            options.Output = korvan::AudioOutput::Device;
            options.AudioDrivers = {};  // as a machine with no sound card: nothing opens
        }
        form.MediaPlayer1->SetEngineOptions(options);
        StartAndRun(form, 200);
        if (QTest::currentTestFailed())
            return;

        QVERIFY2(!errors.Texts.isEmpty(), "the music failure was not reported");
        for (const QString& text : errors.Texts)
            QVERIFY2(text.startsWith(message), qPrintable(text));
        // The intro music fails at tick 10 and the editor music at the switch, with the same message.
        RequireNoRepeats(errors.Texts);
    }
};

QTEST_MAIN(MissingAssetsTest)
#include "missing_assets_test.moc"
