// The fourteen secondary windows as laid out: captions, sizes, positions, colours and controls.
#include "app/SecondaryWindowLookup.h"

#include "windows/SecondaryWindows.h"
#include "windows/WindowLook.h"

#include <QFile>
#include <QFontInfo>
#include <QLabel>
#include <QPixmap>
#include <QSet>
#include <QTest>

using korvan::look::Face;

namespace {

enum class Background { Black, ButtonFace, Silver };

QColor ColourOf(Background background)
{
    switch (background) {
    case Background::Black:
        return korvan::look::Black;
    case Background::Silver:
        return korvan::look::Silver;
    case Background::ButtonFace:
        break;
    }
    return korvan::look::ButtonFace();
}

struct WindowRow {
    const char* name;
    const char* caption;
    QSize client;
    QPoint position;
    Background background;
};

const WindowRow Windows[] = {
    {"Author", "Form_Author", {289, 220}, {477, 131}, Background::Black},
    {"Versione", "Form_Versione", {257, 120}, {206, 143}, Background::Black},
    {"Crediti_Grafica", "Crediti Grafica", {227, 194}, {438, 215}, Background::Black},
    {"Crediti_Sonoro", "Form_Crediti_Sonoro", {536, 341}, {192, 114}, Background::ButtonFace},
    {"Crediti_Altro", "Form_Crediti_Altro", {202, 103}, {192, 114}, Background::Black},
    {"Guida_Generale", "Guida Generale KORVAN Editor", {222, 53}, {192, 114}, Background::Black},
    {"Guida_Editor", "Guida sull'Editor di KORVAN", {222, 42}, {548, 357}, Background::Black},
    {"Tiles_Terreno", "Form_Tiles_Terreno", {194, 332}, {499, 129}, Background::Silver},
    {"Tiles_Risorse", "Form_Tiles_Risorse", {536, 341}, {231, 200}, Background::ButtonFace},
    {"Tiles_Fiumi", "Form_Tiles_Fiumi", {536, 341}, {215, 153}, Background::ButtonFace},
    {"Tiles_Strade", "Form_Tiles_Strade", {536, 341}, {192, 114}, Background::ButtonFace},
    {"Tiles_Status_Terreno", "Form_Tiles_Status_Terreno", {536, 341}, {106, 173}, Background::ButtonFace},
    {"Opzioni_Mappa", "Opzioni per generare Mappa", {284, 44}, {241, 180}, Background::Black},
    {"Licenza", "Licenza d'Uso Temporaneo per questa Demo.", {394, 341}, {393, 213}, Background::ButtonFace},
};

enum class Ink { Lime, Blue, Red, WindowText };

QColor ColourOf(Ink ink)
{
    switch (ink) {
    case Ink::Lime:
        return korvan::look::Lime;
    case Ink::Blue:
        return korvan::look::Blue;
    case Ink::Red:
        return korvan::look::Red;
    case Ink::WindowText:
        break;
    }
    return korvan::look::WindowText();
}

struct LabelRow {
    const char* window;
    const char* control;
    QPoint position;
    const char* text;
    Face face;
    int pixelHeight;
    Ink ink;
};

const LabelRow Labels[] = {
    {"Author", "Label1", {104, 16}, "Team KORVAN", Face::Verdana, 13, Ink::Lime},
    {"Author", "Label2", {104, 40}, "contact:", Face::Verdana, 13, Ink::Blue},
    {"Author", "Label3", {104, 64}, "korvan-team@example.org", Face::Arial, 11, Ink::Lime},
    {"Versione", "Label1", {24, 16}, "KORVAN Editor Versione " KORVAN_VERSION, Face::Verdana, 13, Ink::Lime},
    {"Versione", "Label2", {24, 40}, "Demo.", Face::MsSansSerif, 11, Ink::Red},
    {"Crediti_Grafica", "Label1", {16, 16}, "Grafica creata da :", Face::Verdana, 13, Ink::Blue},
    {"Crediti_Grafica", "Label2", {32, 40}, "- Team KORVAN", Face::Verdana, 13, Ink::Lime},
    {"Crediti_Grafica", "Label3", {16, 72}, "Grafica Creata con:", Face::Verdana, 13, Ink::Blue},
    {"Crediti_Grafica", "Label4", {32, 96}, "- korvan-assets", Face::Verdana, 13, Ink::Lime},
    {"Crediti_Grafica", "Label5", {32, 120}, "- Qt 6 QImage", Face::Verdana, 13, Ink::Lime},
    {"Crediti_Grafica", "Label6", {32, 144}, "- C++20 / GCC", Face::Verdana, 13, Ink::Lime},
    {"Crediti_Grafica", "Label7", {32, 168}, "- CMake / Ninja", Face::Verdana, 11, Ink::Lime},
    {"Crediti_Altro", "Label1", {16, 8}, "Programmato da:", Face::Verdana, 13, Ink::Blue},
    {"Crediti_Altro", "Label2", {32, 32}, "Team KORVAN", Face::Verdana, 13, Ink::Lime},
    {"Crediti_Altro", "Label3", {16, 56}, "Con: ", Face::Verdana, 13, Ink::Blue},
    {"Crediti_Altro", "Label4", {32, 80}, "Qt 6 e C++20", Face::Verdana, 13, Ink::Lime},
    {"Guida_Generale", "Label1", {16, 16}, "Guida non ancora attiva...", Face::Verdana, 13, Ink::Lime},
    {"Guida_Editor", "Label1", {16, 16}, "Guida non ancora attiva...", Face::Verdana, 13, Ink::Lime},
    {"Opzioni_Mappa", "Label1", {16, 16}, "Opzioni mappa non acora attiva...", Face::Verdana, 13, Ink::Lime},
    {"Tiles_Terreno", "StaticText1", {72, 8}, "Terra Desertica", Face::MsSansSerif, 11, Ink::WindowText},
    {"Tiles_Terreno", "StaticText3", {72, 40}, "Terra Desertica (2)", Face::MsSansSerif, 11, Ink::WindowText},
    {"Tiles_Terreno", "StaticText2", {72, 72}, "Terra Fertile", Face::MsSansSerif, 11, Ink::WindowText},
    {"Tiles_Terreno", "StaticText4", {72, 104}, "Terra Fertile (2)", Face::MsSansSerif, 11, Ink::WindowText},
    {"Tiles_Terreno", "StaticText5", {72, 136}, "Terra Fertile (3)", Face::MsSansSerif, 11, Ink::WindowText},
    {"Tiles_Terreno", "StaticText6", {72, 176}, "Terra Fertile (4)", Face::MsSansSerif, 11, Ink::WindowText},
    {"Tiles_Terreno", "StaticText7", {72, 208}, "Terra Fertile (5)", Face::MsSansSerif, 11, Ink::WindowText},
    {"Tiles_Terreno", "StaticText8", {72, 240}, "Terra Tundra", Face::MsSansSerif, 11, Ink::WindowText},
    {"Tiles_Terreno", "StaticText9", {72, 272}, "Terra Ghiacciata", Face::MsSansSerif, 11, Ink::WindowText},
    {"Tiles_Terreno", "StaticText10", {72, 304}, "Mare Nostrum :-P", Face::MsSansSerif, 11, Ink::WindowText},
};


bool Contains(const QImage& image, const QRect& area, const QColor& colour)
{
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            if (image.pixelColor(x, y).rgb() == colour.rgb())
                return true;
    return false;
}

QImage Grab(QWidget* window) { return window->grab().toImage().convertToFormat(QImage::Format_RGB32); }

}  // namespace

class SecondaryWindowsLayoutTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { CreateSecondaryWindows(); }
    void cleanupTestCase() { DestroySecondaryWindows(); }

    void createsFourteenHiddenTopLevelWindowsOnce()
    {
        QCOMPARE(QApplication::topLevelWidgets().size(), 14);
        CreateSecondaryWindows();  // a second call must not make a second set
        QCOMPARE(QApplication::topLevelWidgets().size(), 14);
        for (const WindowRow& row : Windows) {
            QWidget* window = SecondaryWindow(row.name);
            QVERIFY2(window != nullptr, row.name);
            QVERIFY2(!window->isVisible(), row.name);
            QVERIFY2(window->parentWidget() == nullptr, row.name);
            QVERIFY2(window->isWindow(), row.name);
            QVERIFY2(!(window->windowFlags() & Qt::FramelessWindowHint), row.name);
            QVERIFY2(!window->testAttribute(Qt::WA_DeleteOnClose), row.name);
            QCOMPARE(window->windowFlags() & Qt::WindowType_Mask, Qt::Window);
        }
    }

    void windowsHaveTheirCaptionSizePositionAndBackground()
    {
        for (const WindowRow& row : Windows) {
            QWidget* window = SecondaryWindow(row.name);
            QVERIFY2(window != nullptr, row.name);
            QCOMPARE(window->windowTitle(), QString(row.caption));
            QCOMPARE(window->size(), row.client);
            QCOMPARE(window->pos(), row.position);
            QCOMPARE(window->palette().color(QPalette::Window), ColourOf(row.background));
            // The bottom-right pixel is free of controls in every window (the memo, and the
            // scroll bar of the units' palette, aside).
            if (QString(row.name) != "Licenza" && QString(row.name) != "Tiles_Strade") {
                const QImage picture = Grab(window);
                QCOMPARE(picture.size(), row.client);
                QCOMPARE(picture.pixelColor(row.client.width() - 1, row.client.height() - 1).rgb(),
                         ColourOf(row.background).rgb());
            }
        }
    }

    void onlyTheAuthorCardCarriesAnIcon()
    {
        QVERIFY(!SecondaryWindow("Author")->windowIcon().isNull());
        QCOMPARE(SecondaryWindow("Author")->windowIcon().availableSizes().value(0), QSize(32, 32));
        for (const WindowRow& row : Windows)
            if (QString(row.name) != "Author")
                QVERIFY2(!SecondaryWindow(row.name)->testAttribute(Qt::WA_SetWindowIcon), row.name);
    }

    void emptyWindowsHaveNoControls() { QVERIFY(SecondaryWindow("Crediti_Sonoro")->findChildren<QWidget*>().isEmpty()); }

    // Each tile window holds one control: the scroll area, filling the client area, of its palette.
    void tileWindowsHoldOnlyTheirPalette()
    {
        for (const char* name : {"Tiles_Risorse", "Tiles_Fiumi", "Tiles_Strade", "Tiles_Status_Terreno"}) {
            QWidget* window = SecondaryWindow(name);
            const QList<QWidget*> controls = window->findChildren<QWidget*>(Qt::FindDirectChildrenOnly);
            QCOMPARE(controls.size(), 1);
            QCOMPARE(controls[0]->objectName(), QString("PaletteArea"));
            QCOMPARE(controls[0]->geometry(), window->rect());
            QVERIFY2(window->findChild<QWidget*>("Palette") != nullptr, name);
        }
    }

    void labelsHaveTheirPositionTextFontAndColour()
    {
        QSet<QString> seen;
        for (const LabelRow& row : Labels) {
            const QString where = QString("%1.%2").arg(row.window, row.control);
            auto* label = ControlOf<QLabel>(row.window, row.control);
            QVERIFY2(label != nullptr, qPrintable(where));
            seen.insert(where);
            QCOMPARE(label->pos(), row.position);
            QCOMPARE(label->text(), QString(row.text));
            QCOMPARE(label->font().pixelSize(), row.pixelHeight);
            QVERIFY2(label->font().bold(), qPrintable(where));
            const QString family = QFontInfo(label->font()).family();
            bool accepted = false;
            for (const QString& face : korvan::look::Families(row.face))
                accepted = accepted || family.startsWith(face);
            QVERIFY2(accepted, qPrintable(where + " resolved to " + family));
            QCOMPARE(label->palette().color(QPalette::WindowText), ColourOf(row.ink));
        }
        // Every label of every window is in the table.
        for (const WindowRow& row : Windows)
            for (QLabel* label : SecondaryWindow(row.name)->findChildren<QLabel*>())
                if (label->pixmap().isNull() && !label->objectName().startsWith("Image"))
                    QVERIFY2(seen.contains(QString("%1.%2").arg(row.name, label->objectName())),
                             qPrintable(label->objectName()));
    }

    // Readable: the whole text fits the label, the label fits the window, and its ink is drawn.
    void labelsAreDrawnWholeInsideTheirWindow()
    {
        for (const LabelRow& row : Labels) {
            const QString where = QString("%1.%2").arg(row.window, row.control);
            auto* label = ControlOf<QLabel>(row.window, row.control);
            QWidget* window = SecondaryWindow(row.window);
            QVERIFY2(window->rect().contains(label->geometry()), qPrintable(where));
            const QRect ink = label->fontMetrics().boundingRect(row.text);
            QVERIFY2(ink.width() <= label->width() && label->fontMetrics().height() <= label->height(), qPrintable(where));
            QVERIFY2(Contains(Grab(window), label->geometry(), ColourOf(row.ink)), qPrintable(where));
        }
    }

    void labelsShowTheWindowBackgroundExceptProgrammatoDa()
    {
        for (const LabelRow& row : Labels) {
            auto* label = ControlOf<QLabel>(row.window, row.control);
            const bool own = QString(row.window) == "Crediti_Altro" && QString(row.control) == "Label1";
            QCOMPARE(label->autoFillBackground(), own);
        }
        auto* framed = ControlOf<QLabel>("Crediti_Altro", "Label1");
        QCOMPARE(framed->palette().color(QPalette::Window), korvan::look::WindowFrame());
        QVERIFY(Contains(Grab(SecondaryWindow("Crediti_Altro")), framed->geometry(), korvan::look::WindowFrame()));
    }

    void picturesSitUnscaledInTheirControls_data()
    {
        QTest::addColumn<QString>("window");
        QTest::addColumn<QString>("control");
        QTest::addColumn<QRect>("geometry");
        QTest::addColumn<QSize>("picture");
        QTest::addColumn<QString>("resource");
        QTest::addColumn<int>("bitsPerPixel");
        QTest::newRow("author photo") << "Author" << "Image1" << QRect(8, 8, 81, 89) << QSize(80, 88) << "Author1.bmp" << 24;
        QTest::newRow("author banner") << "Author" << "Image2" << QRect(40, 120, 201, 81) << QSize(200, 80) << "Author2.bmp" << 24;
        QTest::newRow("version") << "Versione" << "Image1" << QRect(72, 64, 113, 49) << QSize(111, 46) << "Versione.bmp" << 8;
        QTest::newRow("legend") << "Tiles_Terreno" << "Image1" << QRect(0, 0, 66, 332) << QSize(66, 331) << "TerrainLegend.bmp" << 8;
    }

    void picturesSitUnscaledInTheirControls()
    {
        QFETCH(QString, window);
        QFETCH(QString, control);
        QFETCH(QRect, geometry);
        QFETCH(QSize, picture);
        QFETCH(QString, resource);
        QFETCH(int, bitsPerPixel);
        QFile file(":/pictures/" + resource);
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QByteArray bmp = file.readAll();
        QVERIFY(bmp.startsWith("BM") && bmp.size() > 30);
        QCOMPARE(int(quint8(bmp[28])) | int(quint8(bmp[29])) << 8, bitsPerPixel);  // the header's bit count
        auto* image = ControlOf<QLabel>(window, control);
        QVERIFY(image != nullptr);
        QCOMPARE(image->geometry(), geometry);
        QCOMPARE(image->pixmap().size(), picture);
        QVERIFY(!image->hasScaledContents());
        QCOMPARE(image->alignment(), Qt::AlignLeft | Qt::AlignTop);
        // The picture's top-left pixel lands on the control's top-left corner.
        const QImage drawn = Grab(SecondaryWindow(window));
        const QImage source = image->pixmap().toImage();
        for (QPoint p : {QPoint(0, 0), QPoint(picture.width() / 2, picture.height() / 2),
                         QPoint(picture.width() - 1, picture.height() - 1)})
            QCOMPARE(drawn.pixelColor(geometry.topLeft() + p).rgb(), source.pixelColor(p).rgb());
    }
};

QTEST_MAIN(SecondaryWindowsLayoutTest)
#include "secondary_windows_layout_test.moc"
