#include "views/today_date.h"

#include <QLocale>

namespace strativex {

QString DateText(const QDate& date) {
    return QLocale(QLocale::English, QLocale::UnitedKingdom).toString(date, "d MMMM yyyy");
}

QString TodayText() {
    return DateText(QDate::currentDate());
}

}  // namespace strativex
