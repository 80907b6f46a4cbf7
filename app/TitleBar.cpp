// The main window's own title bar: caption, minimise and close, and a press that moves the window.
#include "TitleBar.h"

#include <QAbstractButton>
#include <QHBoxLayout>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QWindow>

namespace {

constexpr int ButtonWidth = 30;
constexpr int TextMargin = 8;

// A control of the bar, drawn as a glyph in the bar's text colour on the bar's background, a
// little lighter under the pointer.
class TitleButton : public QAbstractButton {
public:
    enum class Glyph { Minimise, Close };

    TitleButton(Glyph glyph, const QString& name, QWidget* parent) : QAbstractButton(parent), glyph_(glyph)
    {
        setObjectName(name);
        setFocusPolicy(Qt::NoFocus);  // the keys stay with the editor
        setAttribute(Qt::WA_Hover);
        setCursor(Qt::ArrowCursor);
        setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Expanding);  // the bar's whole height
    }

    QSize sizeHint() const override { return {ButtonWidth, ButtonWidth}; }

protected:
    void paintEvent(QPaintEvent*) override
    {
        QPainter painter(this);
        if (underMouse() || isDown())
            painter.fillRect(rect(), QColor(255, 255, 255, isDown() ? 80 : 45));
        painter.setRenderHint(QPainter::Antialiasing);
        painter.setPen(QPen(palette().color(QPalette::WindowText), 1.5));
        const QPointF centre = QRectF(rect()).center();
        constexpr double half = 4.5;
        if (glyph_ == Glyph::Minimise) {
            painter.drawLine(QPointF(centre.x() - half, centre.y() + half), QPointF(centre.x() + half, centre.y() + half));
        } else {
            painter.drawLine(centre + QPointF(-half, -half), centre + QPointF(half, half));
            painter.drawLine(centre + QPointF(-half, half), centre + QPointF(half, -half));
        }
    }

private:
    Glyph glyph_;
};

// The caption read from its start: text too long for the bar loses its end, never its beginning.
class Caption : public QLabel {
public:
    explicit Caption(QWidget* parent) : QLabel(parent)
    {
        setObjectName("Caption");
        setTextFormat(Qt::PlainText);
        setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
        setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
        setAttribute(Qt::WA_TransparentForMouseEvents);
    }

    void SetCaption(const QString& caption)
    {
        full_ = caption;
        Fit();
    }

protected:
    void resizeEvent(QResizeEvent* event) override
    {
        QLabel::resizeEvent(event);
        Fit();
    }

private:
    void Fit()
    {
        const QString shown = fontMetrics().elidedText(full_, Qt::ElideRight, contentsRect().width());
        if (shown != text())
            setText(shown);
        setToolTip(shown == full_ ? QString() : full_);
    }

    QString full_;
};

}  // namespace

TitleBar::TitleBar(QWidget* window) : QWidget(window), window_(window)
{
    setObjectName("TitleBar");
    // The desktop's colour for what is selected and active: the look of an active caption.
    QPalette colours = palette();
    colours.setColor(QPalette::Window, colours.color(QPalette::Active, QPalette::Highlight));
    colours.setColor(QPalette::WindowText, colours.color(QPalette::Active, QPalette::HighlightedText));
    setPalette(colours);
    setAutoFillBackground(true);
    setCursor(Qt::ArrowCursor);
    // Pointer moves over the bar stay here, as over a window manager's bar: the editor's view
    // hears nothing of them.
    setMouseTracking(true);

    caption_ = new Caption(this);

    minimise_ = new TitleButton(TitleButton::Glyph::Minimise, "Minimise", this);
    close_ = new TitleButton(TitleButton::Glyph::Close, "Close", this);
    connect(minimise_, &QAbstractButton::clicked, window_, &QWidget::showMinimized);
    // As the close box of a window manager: the window's close event decides.
    connect(close_, &QAbstractButton::clicked, window_, &QWidget::close);

    auto* row = new QHBoxLayout(this);
    row->setContentsMargins(TextMargin, 0, 0, 0);
    row->setSpacing(0);
    row->addWidget(caption_, 1);
    row->addSpacing(TextMargin);
    row->addWidget(minimise_);
    row->addWidget(close_);

    connect(window_, &QWidget::windowTitleChanged, this, &TitleBar::ShowCaption);
    ShowCaption();
}

QSize TitleBar::sizeHint() const
{
    return {window_->width(), caption_->fontMetrics().height() + 12};
}

QString TitleBar::ShownCaption() const { return caption_->text(); }

void TitleBar::ShowCaption() { static_cast<Caption*>(caption_)->SetCaption(window_->windowTitle()); }

void TitleBar::mousePressEvent(QMouseEvent* event)
{
    event->accept();
    if (event->button() == Qt::LeftButton && window_->windowHandle() != nullptr)
        window_->windowHandle()->startSystemMove();
}

void TitleBar::mouseMoveEvent(QMouseEvent* event) { event->accept(); }

// The window cannot be maximised: a double click on the bar does nothing.
void TitleBar::mouseDoubleClickEvent(QMouseEvent* event) { event->accept(); }
