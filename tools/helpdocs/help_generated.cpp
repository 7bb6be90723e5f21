#include "tools/helpdocs/help_generated.h"

#include <QRegularExpression>

#include <algorithm>
#include <array>

#include "tools/helpdocs/help_field_table.h"

namespace strativex::helpdocs {
namespace {

struct Generated {
    QLatin1StringView Name;
    QString (*Make)();
};

const std::array kGenerated{Generated{QLatin1StringView("field-ranges"), &FieldRangeTable}};

}  // namespace

HelpSource ExpandGenerated(const HelpSource& source) {
    static const QRegularExpression mark(QStringLiteral("^<!-- generated: (\\S+) -->$"),
                                         QRegularExpression::MultilineOption);
    QString text = source.Text;
    for (auto match = mark.match(text); match.hasMatch();
         match = mark.match(text, match.capturedStart())) {
        const QString name = match.captured(1);
        const auto found = std::find_if(kGenerated.begin(), kGenerated.end(),
                                        [&name](const Generated& g) { return g.Name == name; });
        if (found == kGenerated.end()) {
            return {QString(), QStringLiteral("no table is made for '%1'").arg(name)};
        }
        text.replace(match.capturedStart(), match.capturedLength(), found->Make().trimmed());
    }
    return {text, QString()};
}

}  // namespace strativex::helpdocs
