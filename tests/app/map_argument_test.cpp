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
            std::vector<std::string> arguments;
            Action action;
            std::string mapFile;
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
            {{""}, Action::BadUsage, ""},  // an empty name is no file
            {{"/tmp/x/\xff\xfe.korv"}, Action::Run, "/tmp/x/\xff\xfe.korv"},  // not UTF-8: the bytes kept
            {{"caf\xc3\xa9.korv"}, Action::Run, "caf\xc3\xa9.korv"},
        };
        for (const auto& c : cases) {
            const EditorCommandLine line = ParseEditorCommandLine(c.arguments);
            std::string name;
            for (const std::string& word : c.arguments)
                name += word + " ";
            QVERIFY2(line.Do == c.action, name.c_str());
            QVERIFY2(line.MapFile == c.mapFile, name.c_str());
            QCOMPARE(line.Reason.isEmpty(), c.action != Action::BadUsage);
        }
        // Bad usage in getopt's words.
        QCOMPARE(ParseEditorCommandLine({"--bogus"}).Reason, QString("unrecognized option '--bogus'"));
        QCOMPARE(ParseEditorCommandLine({"-x"}).Reason, QString("invalid option -- 'x'"));
        QCOMPARE(ParseEditorCommandLine({""}).Reason, QString("empty map file name"));
        QVERIFY(EditorUsage().startsWith("Usage: Project_KORVAN [MAPFILE]\n"));
        QVERIFY(EditorVersion().startsWith("Project_KORVAN (KORVAN Editor) " KORVAN_VERSION "\n"));
    }

    // What the editor shows after the intro for each kind of file named on its command line: the
    // file's name and what is wrong, in the system's words, as the command-line tools say it.
    void LoadsTheNamedMapAtTheSwitchOrKeepsTheGeneratedOne()
    {
        TempFolder folder;
        std::filesystem::create_directory(folder.Path() / "folder.korv");
        std::filesystem::create_symlink("loop-b.korv", folder.Path() / "loop-a.korv");
        std::filesystem::create_symlink("loop-a.korv", folder.Path() / "loop-b.korv");
        const struct {
            const char* name;
            std::size_t size;  // bytes written; 0: the file is not made
            QString error;     // the error box's text after the path; empty: the file's map is shown
            bool loads;        // the file's map is shown (a warning may come with it)
        } cases[] = {
            {"good.korv", korvan::MapFileSize, "", true},
            {"\xff\xfe.korv", korvan::MapFileSize, "", true},  // a name that is not UTF-8
            {"longer.korv", korvan::MapFileSize + 100,
             ": the file is longer than a map (234356 bytes); its first 234256 bytes were loaded.", true},
            {"missing.korv", 0, ": No such file or directory.", false},
            {"short.korv", 10, ": Map file too short: 10 bytes (234256 expected)", false},
            {"empty.korv", 0, ": Map file too short: 0 bytes (234256 expected)", false},
            {"no-folder/x.korv", 0, ": No such file or directory.", false},
            {"folder.korv", 0, ": Is a directory.", false},
            {"loop-a.korv", 0, ": Too many levels of symbolic links.", false},
        };
        for (const auto& c : cases) {
            CollectedErrors errors;
            TForm_Main form;
            UseOfflineMusic(form);
            const std::vector<std::uint8_t> generated = korvan::EncodeMap(form.State().Map.Cells);
            // A map that differs from the generated one in every record's terrain byte.
            std::vector<std::uint8_t> file = generated;
            for (std::size_t i = 8; i < file.size(); i += 16)
                file[i] = std::uint8_t((file[i] + 1) % 10);
            file.resize(c.size == 0 ? 0 : c.size, 0x5A);
            const std::string path = folder.File(c.name);
            if (c.size != 0 || std::string(c.name) == "empty.korv")
                WriteFile(path, file);
            form.StartMapFile = path;

            QVERIFY2(form.IntroTick == 0, c.name);
            QCOMPARE(korvan::EncodeMap(form.State().Map.Cells), generated);  // nothing read before the switch
            RunIntro(form);

            const std::vector<std::uint8_t> shown = korvan::EncodeMap(form.State().Map.Cells);
            const QStringList expected = c.error.isEmpty() ? QStringList() : QStringList{DisplayName(path) + c.error};
            QVERIFY2(errors.Texts == expected, qPrintable(c.name + (": " + errors.Texts.join('|'))));
            file.resize(korvan::MapFileSize);
            QVERIFY2(shown == (c.loads ? file : generated), c.name);
            QCOMPARE(form.OpenDialog1FileName, DisplayName(path));
            QVERIFY2(!korvan::HasUnsavedChanges(form.State().History), c.name);  // loading is no edit
        }
    }

    // A relative name is taken from the working folder the editor was started in.
    void ARelativeNameIsKeptAsAnAbsoluteOne()
    {
        TempFolder folder;
        CollectedErrors errors;
        TForm_Main form;
        UseOfflineMusic(form);
        WriteFile(folder.File("here.korv"), korvan::EncodeMap(form.State().Map.Cells));
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
