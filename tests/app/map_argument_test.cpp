// The editor's command line: the parser's rules, and the map file it names, loaded at the switch
// to the editor in place of the generated map (or reported, with the generated map kept).
#include "AppFixture.h"
#include "EditorArguments.h"

#include "edit/EditHistory.h"
#include "map/MapFile.h"
#include "TempFolder.h"

#include <QDir>
#include <QtTest>

#include <fstream>

using korvan::testing::CollectedErrors;
using korvan::testing::RunIntro;
using korvan::testing::TempFolder;
using korvan::testing::UseOfflineMusic;
using Action = EditorCommandLine::Action;

namespace {

void WriteFile(const std::string& path, const std::vector<std::uint8_t>& bytes)
{
    std::ofstream out(path, std::ios::binary);
    out.write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
}

}  // namespace

class MapArgumentTest : public QObject {
    Q_OBJECT

private slots:
    void ParsesOneOptionalMapFile()
    {
        const struct {
            QStringList arguments;
            Action action;
            QString mapFile;
        } cases[] = {
            {{}, Action::Run, ""},
            {{"a.korv"}, Action::Run, "a.korv"},
            {{"/tmp/with space.korv"}, Action::Run, "/tmp/with space.korv"},
            {{"--", "-dash.korv"}, Action::Run, "-dash.korv"},
            {{"-"}, Action::Run, "-"},
            {{"--help"}, Action::Help, ""},
            {{"-h"}, Action::Help, ""},
            {{"a.korv", "--version"}, Action::Version, ""},
            {{"--bogus", "--help"}, Action::Help, ""},  // help wins over a bad option anywhere
            {{"--", "--help"}, Action::Run, "--help"},  // a file so named, after "--"
            {{"a.korv", "b.korv"}, Action::BadUsage, ""},
            {{"--bogus"}, Action::BadUsage, ""},
            {{"-x", "a.korv"}, Action::BadUsage, ""},
        };
        for (const auto& c : cases) {
            const EditorCommandLine line = ParseEditorCommandLine(c.arguments);
            const QString name = c.arguments.join(' ');
            QVERIFY2(line.Do == c.action, qPrintable(name));
            QCOMPARE(line.MapFile, c.mapFile);
            QCOMPARE(line.Reason.isEmpty(), c.action != Action::BadUsage);
        }
        QVERIFY(EditorUsage().startsWith("Usage: Project_KORVAN [MAPFILE]\n"));
        QVERIFY(EditorVersion().startsWith("Project_KORVAN (KORVAN Editor) " KORVAN_VERSION "\n"));
    }

    // What the editor shows after the intro for each kind of file named on its command line.
    void LoadsTheNamedMapAtTheSwitchOrKeepsTheGeneratedOne()
    {
        TempFolder folder;
        const struct {
            const char* name;
            std::size_t size;  // bytes written; 0: the file is not made
            QString error;     // the error box's text; empty: the file's map is shown
        } cases[] = {
            {"good.korv", korvan::MapFileSize, ""},
            {"longer.korv", korvan::MapFileSize + 100, ""},  // the first whole map is used
            {"missing.korv", 0, "File not found."},
            {"short.korv", 10, "Map file too short: 10 bytes (234256 expected)"},
            {"empty.korv", 0, "Map file too short: 0 bytes (234256 expected)"},
            {"no-folder/x.korv", 0, "Invalid filename."},
        };
        for (const auto& c : cases) {
            CollectedErrors errors;
            TForm_Main form;
            UseOfflineMusic(form);
            const std::vector<std::uint8_t> generated = korvan::EncodeMap(form.State().Cells);
            // A map that differs from the generated one in every record's terrain byte.
            std::vector<std::uint8_t> file = generated;
            for (std::size_t i = 8; i < file.size(); i += 16)
                file[i] = std::uint8_t((file[i] + 1) % 10);
            file.resize(c.size == 0 ? 0 : c.size, 0x5A);
            const std::string path = folder.File(c.name);
            if (c.size != 0 || std::string(c.name) == "empty.korv")
                WriteFile(path, file);
            form.StartMapFile = QString::fromStdString(path);

            QVERIFY2(form.IntroTick == 0, c.name);
            QCOMPARE(korvan::EncodeMap(form.State().Cells), generated);  // nothing read before the switch
            RunIntro(form);

            const std::vector<std::uint8_t> shown = korvan::EncodeMap(form.State().Cells);
            const QStringList expected = c.error.isEmpty() ? QStringList() : QStringList{c.error};
            QVERIFY2(errors.Texts == expected, qPrintable(c.name + (": " + errors.Texts.join('|'))));
            file.resize(korvan::MapFileSize);
            QVERIFY2(shown == (c.error.isEmpty() ? file : generated), c.name);
            QCOMPARE(form.OpenDialog1FileName, QString::fromStdString(path));
            QVERIFY2(!korvan::HasUnsavedChanges(form.State().History), c.name);  // loading is no edit
        }
    }

    // A folder is not a map: reported, and the generated map stays.
    void AFolderIsReportedAndTheGeneratedMapStays()
    {
        TempFolder folder;
        std::filesystem::create_directory(folder.Path() / "folder.korv");
        CollectedErrors errors;
        TForm_Main form;
        UseOfflineMusic(form);
        const std::vector<std::uint8_t> generated = korvan::EncodeMap(form.State().Cells);
        form.StartMapFile = QString::fromStdString(folder.File("folder.korv"));
        RunIntro(form);
        QCOMPARE(korvan::EncodeMap(form.State().Cells), generated);
        QVERIFY2(!errors.Texts.isEmpty(), "no error box for a folder");
    }

    // A relative name is taken from the working folder the editor was started in.
    void ARelativeNameIsKeptAsAnAbsoluteOne()
    {
        TempFolder folder;
        CollectedErrors errors;
        TForm_Main form;
        UseOfflineMusic(form);
        WriteFile(folder.File("here.korv"), korvan::EncodeMap(form.State().Cells));
        const QString previous = QDir::currentPath();
        QDir::setCurrent(QString::fromStdString(folder.Path().string()));
        form.StartMapFile = "here.korv";
        RunIntro(form);
        QDir::setCurrent(previous);
        QCOMPARE(form.OpenDialog1FileName, QString::fromStdString(folder.File("here.korv")));
        QVERIFY2(errors.Texts.isEmpty(), qPrintable(errors.Texts.join('|')));
    }
};

QTEST_MAIN(MapArgumentTest)
#include "map_argument_test.moc"
