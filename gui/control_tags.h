// Control widgets carry their control id, so that a widget found by the
// toolkit (the focused one, say) leads back to the control.
#pragma once

#include <optional>

#include <QObject>
#include <QVariant>

namespace quillon::gui {

inline constexpr const char* kControlIdProperty = "quillonControlId";

inline void tag_control(QObject& widget, int id) { widget.setProperty(kControlIdProperty, id); }

inline std::optional<int> tagged_control_id(const QObject* widget)
{
    if (!widget)
        return std::nullopt;
    const QVariant id = widget->property(kControlIdProperty);
    if (!id.isValid())
        return std::nullopt;
    return id.toInt();
}

} // namespace quillon::gui
