// Frames painted by Qt: the frame tick repaints the rows that changed, and Qt puts them on screen
// with the rest of the window. Used where the X server cannot share memory with the program
// (Wayland, the offscreen platform, a remote display) and with KORVAN_PRESENT=qt.
#pragma once

#include "Presenter.h"

#include <QImage>

#include <cstdint>
#include <vector>

class QWidget;

class QtPresenter final : public Presenter {
public:
    explicit QtPresenter(QWidget& widget) : widget_(widget) {}

    bool PaintsItsWindow() const override { return false; }
    void Forget() override { shown_.clear(); }
    bool Present(const Content& content) override;
    bool Paint(const QRegion& region, const Content& content) override;

private:
    void PaintFrame(QPainter& painter, const QRegion& region, const Content& content);

    QWidget& widget_;
    // The buffer's pixels as the screen shows them, where the widget is visible; empty until a
    // paint showed all of it (then Present repaints it whole).
    std::vector<std::uint8_t> shown_;
    // The frame in the window's format, where the painter does not draw into a plain 32-bit
    // picture: kept from frame to frame, so that a paint allocates nothing.
    QImage frame_;
};
