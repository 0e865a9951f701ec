#include "data/ui/ReadableStyle.h"

#include <QApplication>
#include <QPainter>
#include <QStyleFactory>
#include <QStyleOption>

std::optional<QColor> checkBoxFrameColour(const QPalette &palette)
{
    const QColor ground = palette.color(QPalette::Base);
    const QColor text = palette.color(QPalette::Text);
    if (ground.lightness() >= text.lightness())
        return std::nullopt;
    return QColor((ground.red() + text.red()) / 2, (ground.green() + text.green()) / 2,
                  (ground.blue() + text.blue()) / 2);
}

ReadableStyle::ReadableStyle(const QString &baseStyle)
    : QProxyStyle(QStyleFactory::create(baseStyle.isEmpty() ? QApplication::style()->name() : baseStyle))
{
}

void ReadableStyle::drawPrimitive(PrimitiveElement element, const QStyleOption *option, QPainter *painter,
                                  const QWidget *widget) const
{
    QProxyStyle::drawPrimitive(element, option, painter, widget);
    if (element != PE_IndicatorCheckBox && element != PE_IndicatorItemViewItemCheck)
        return;
    const std::optional<QColor> frame = checkBoxFrameColour(option->palette);
    if (!frame)
        return;
    painter->save();
    painter->setRenderHint(QPainter::Antialiasing, false);
    painter->setPen(*frame);
    painter->setBrush(Qt::NoBrush);
    painter->drawRect(option->rect.adjusted(0, 0, -1, -1));
    painter->restore();
}

void useReadableStyle()
{
    QApplication::setStyle(new ReadableStyle);
}
