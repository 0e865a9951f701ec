#pragma once
// The desktop's own style with check boxes that stay readable under a dark palette.  Some styles draw
// the box's frame from the window colour (Fusion: a little darker), which disappears on a dark ground,
// above all in lists and grids whose check boxes sit on the base colour itself: an unticked box cannot be
// seen there.  Under a dark palette the box gets a frame that stands out; a light palette is left as the
// style draws it.

#include <QColor>
#include <QPalette>
#include <QProxyStyle>
#include <optional>

// The frame a check box gets on top of the style's drawing: halfway between the box's ground (the base
// colour) and the text, when the base is darker than the text; nothing under a light palette.
std::optional<QColor> checkBoxFrameColour(const QPalette &palette);

class ReadableStyle final : public QProxyStyle
{
public:
    // Wraps the style of the given name (the application's current one when empty).
    explicit ReadableStyle(const QString &baseStyle = QString());

    void drawPrimitive(PrimitiveElement element, const QStyleOption *option, QPainter *painter,
                       const QWidget *widget = nullptr) const override;
};

// Sets the application's style to its current one with readable check boxes.
void useReadableStyle();
