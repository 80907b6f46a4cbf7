// The pictures compiled into the program: sizes, colour depths, and the resource list.
#include "AssetFiles.h"

#include <QImage>
#include <QImageReader>

#include <gtest/gtest.h>

#include <fstream>
#include <set>
#include <sstream>

namespace korvan {
namespace {

struct PictureCase {
    const char* File;
    int Width, Height, Depth;  // bits per pixel in the file
};

TEST(SmallPictures, HaveTheirSizesAndColourDepths)
{
    const PictureCase pictures[] = {{"TerrainLegend.bmp", 66, 331, 8}, {"Author1.bmp", 80, 88, 24},
                                    {"Author2.bmp", 200, 80, 24},       {"Versione.bmp", 111, 46, 8},
                                    {"KorvanIcon.png", 32, 32, 8},      {"KorvanIcon-48.png", 48, 48, 8},
                                    {"KorvanIcon-64.png", 64, 64, 8},   {"KorvanIcon-128.png", 128, 128, 8},
                                    {"KorvanIcon-256.png", 256, 256, 8}};
    for (const PictureCase& p : pictures) {
        SCOPED_TRACE(p.File);
        const QImage image(QString::fromStdString(test::PictureFile(p.File)));
        ASSERT_FALSE(image.isNull());
        EXPECT_EQ(image.width(), p.Width);
        EXPECT_EQ(image.height(), p.Height);
        if (p.Depth == 8)
            EXPECT_EQ(image.format(), QImage::Format_Indexed8);
        else
            EXPECT_EQ(image.depth() >= 24, true);
    }
}

TEST(SmallPictures, TheIconUsesSixteenColoursAtMostAndShowsSomething)
{
    for (const char* file : {"KorvanIcon.png", "KorvanIcon-256.png"}) {
        const QImage icon(QString::fromStdString(test::PictureFile(file)));
        std::set<QRgb> colours;
        int opaque = 0;
        for (int y = 0; y < icon.height(); ++y)
            for (int x = 0; x < icon.width(); ++x) {
                colours.insert(icon.pixel(x, y));
                opaque += qAlpha(icon.pixel(x, y)) == 255;
            }
        EXPECT_LE(colours.size(), 16u) << file;
        EXPECT_GT(opaque, icon.width() * icon.height() / 4) << file;
    }
}

TEST(SmallPictures, TheResourceListNamesEveryPictureUnderItsPrefix)
{
    std::ifstream in(test::PictureFile("pictures.qrc"));
    std::stringstream text;
    text << in.rdbuf();
    const std::string qrc = text.str();
    EXPECT_NE(qrc.find("prefix=\"/pictures\""), std::string::npos);
    for (const char* file : {"TerrainLegend.bmp", "Author1.bmp", "Author2.bmp", "Versione.bmp", "KorvanIcon.png",
                             "KorvanIcon-48.png", "KorvanIcon-64.png", "KorvanIcon-128.png", "KorvanIcon-256.png"})
        EXPECT_NE(qrc.find(std::string("<file>") + file + "</file>"), std::string::npos) << file;
}

}  // namespace
}  // namespace korvan
