// Window_Panoramica: the map overview. The whole area the view can reach, drawn small, with a
// frame where the view is; a press or a drag moves the view there. The M key opens and closes it.
#pragma once

#include "render/Overview.h"

#include <QImage>
#include <QWidget>

#include <cstdint>
#include <functional>
#include <vector>

class TForm_Panoramica : public QWidget {
    Q_OBJECT

public:
    explicit TForm_Panoramica(QWidget* parent = nullptr);

    // The picture to show, OverviewWidth x OverviewHeight pixels 0xFFRRGGBB; kept by reference,
    // so a change in place needs only PictureChanged.
    void SetPicture(const std::vector<std::uint32_t>& pixels);
    void PictureChanged() { update(); }
    // Where the view lies, in overview pixels.
    void ShowView(const korvan::OverviewRect& view);
    const korvan::OverviewRect& View() const { return view_; }

    // A left press, or a drag with the left button held, at an overview pixel (possibly past
    // the picture's edges while dragging).
    std::function<void(int x, int y)> OnPoint;
    // The M key, should the window ever have the keyboard.
    std::function<void()> OnToggleKey;

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    QImage picture_;
    korvan::OverviewRect view_;
};

// The caption names the key that opens and closes the window.
inline constexpr const char* OverviewCaption = "Panoramica Mappa (tasto M)";
