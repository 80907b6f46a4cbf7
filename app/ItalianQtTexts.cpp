#include "ItalianQtTexts.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

bool UseItalianQtTexts()
{
    auto* application = QCoreApplication::instance();
    if (application == nullptr)
        return false;
    if (application->findChild<QTranslator*>("korvan-qt-italian") != nullptr)
        return true;
    auto* translator = new QTranslator(application);
    translator->setObjectName("korvan-qt-italian");
    if (!translator->load(QLocale(QLocale::Italian, QLocale::Italy), "qtbase", "_",
                          QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
        delete translator;
        return false;
    }
    QCoreApplication::installTranslator(translator);
    return true;
}
