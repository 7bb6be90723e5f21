#pragma once

#include <QDate>
#include <QString>

namespace strativex {

// "d mmmm yyyy" with English month names, whatever the desktop's language: "6 December 2026".
QString DateText(const QDate& date);
QString TodayText();

}  // namespace strativex
