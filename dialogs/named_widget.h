#pragma once

#include <QString>

#include <utility>

namespace strativex {

// Every control carries the name of its window design, so that code and tests find it.
template <typename Widget, typename... Args>
Widget* NamedWidget(const QString& name, Args&&... args) {
    auto* widget = new Widget(std::forward<Args>(args)...);
    widget->setObjectName(name);
    return widget;
}

}  // namespace strativex
