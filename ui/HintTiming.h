#pragma once

#include <QProxyStyle>

namespace quorvane {

// Hints show a quarter of a second after the mouse comes to rest, and a
// slider's hint follows its angle at once.
class HintTiming : public QProxyStyle {
public:
    int styleHint(StyleHint hint, const QStyleOption* option, const QWidget* widget,
                  QStyleHintReturn* returnData) const override
    {
        if (hint == SH_ToolTip_WakeUpDelay)
            return 250;
        return QProxyStyle::styleHint(hint, option, widget, returnData);
    }
};

}  // namespace quorvane
