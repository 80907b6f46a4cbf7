// Window_Licenza: the terms of use of the demo, in a text box that fills the window.
#include "Window_Licenza.h"

#include "Credits.h"
#include "WindowLook.h"

#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QVBoxLayout>

using namespace korvan::look;

TForm_Licenza* Form_Licenza = nullptr;

namespace {

// Qt 6.4 can crash in its own middle-button paste of the X selection into a text box (seen in
// soak runs: QWidgetTextControl::insertFromMimeData). The terms box takes no selection paste:
// its middle-button events stop here. Typing, the context menu and Ctrl+V still work.
class NoSelectionPaste : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        switch (event->type()) {
        case QEvent::MouseButtonPress:
        case QEvent::MouseButtonRelease:
        case QEvent::MouseButtonDblClick:
            if (static_cast<QMouseEvent*>(event)->button() == Qt::MiddleButton)
                return true;
            break;
        default:
            break;
        }
        return QObject::eventFilter(watched, event);
    }
};

QString TermsText()
{
    const QString team = korvan::credits::Team;
    const QStringList lines = {
        QString("Licenza d'Uso Temporaneo per KORVAN Editor Demo V %1").arg(korvan::credits::Version),
        "",
        "Questa licenza regola l'uso, la copia e la distribuzione della versione dimostrativa di "
        "KORVAN Editor, generatore ed editor di mappe isometriche.",
        "",
        "Avviso Importante:",
        "",
        "Questo software viene distribuito gratuitamente.",
        QString("Per questo motivo %1 non si assume alcuna responsabilità per danni diretti o indiretti "
                "a dati, programmi o apparecchiature derivanti dal suo uso.").arg(team),
        "Il software viene fornito \"così com'è\", senza garanzia di alcun tipo, espressa o implicita.",
        "Chi lo usa lo fa a proprio rischio.",
        "",
        "Limitazioni D'Uso",
        "",
        "È vietato ridistribuire questa demo, per intero o in parte, senza il permesso dell'autore.",
        "È vietato vendere questa demo o includerla in raccolte a pagamento.",
        "È vietato modificare i file della demo.",
        "Le mappe create con la demo appartengono a chi le crea.",
        "",
        QString("Per chiedere il permesso scrivere a %1 (%2).").arg(team, korvan::credits::Contact),
        "",
        "Grazie per aver provato KORVAN Editor.",
        "",
        "Questa demo è distribuita senza alcuna garanzia.",
    };
    return lines.join('\n');
}

}  // namespace

TForm_Licenza::TForm_Licenza(QWidget* parent) : QWidget(parent)
{
    SetUpWindow(this, "Licenza d'Uso Temporaneo per questa Demo.", {394, 341}, {393, 213}, ButtonFace());
    Memo1 = new QPlainTextEdit(this);
    Memo1->setObjectName("Memo1");
    Memo1->setFont(Font(Face::MsSansSerif, 11));
    QPalette palette = Memo1->palette();
    palette.setColor(QPalette::Base, WindowColour());
    palette.setColor(QPalette::Text, WindowText());
    Memo1->setPalette(palette);
    Memo1->setLineWrapMode(QPlainTextEdit::WidgetWidth);
    Memo1->setWordWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    Memo1->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    Memo1->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    Memo1->setReadOnly(false);
    Memo1->setPlainText(TermsText());
    Memo1->moveCursor(QTextCursor::Start);
    Memo1->viewport()->installEventFilter(new NoSelectionPaste(Memo1));
    // A layout without margins keeps the box on the whole client area whatever size it takes.
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(Memo1);
}
