#include "tools/helpdocs/pdf_navigation.h"

#include <QRegularExpression>

#include <algorithm>
#include <map>
#include <optional>

namespace strativex::helpdocs {
namespace {

// The objects of the file that the update refers to or replaces.
struct PdfFrame {
    int Size = 0;  // the next free object number
    int Root = 0;
    int Info = 0;
    qsizetype PreviousXref = 0;
    QByteArray CatalogBody;         // the catalog's entries, without << and >>
    std::vector<int> Pages;         // page objects in page order
    std::vector<int> AnnotsArrays;  // each page's annotation array object
};

std::optional<QByteArray> ObjectText(const QByteArray& pdf, int number) {
    const QByteArray head = '\n' + QByteArray::number(number) + " 0 obj\n";
    const qsizetype start = pdf.lastIndexOf(head);
    if (start < 0) return std::nullopt;
    const qsizetype end = pdf.indexOf("endobj", start);
    if (end < 0) return std::nullopt;
    return pdf.mid(start + head.size(), end - start - head.size());
}

std::optional<int> Reference(const QByteArray& text, const char* key) {
    const QRegularExpression pattern(QStringLiteral("/%1 (\\d+) 0 R").arg(QLatin1String(key)));
    const QRegularExpressionMatch match = pattern.match(QString::fromLatin1(text));
    if (!match.hasMatch()) return std::nullopt;
    return match.captured(1).toInt();
}

std::optional<PdfFrame> ReadFrame(const QByteArray& pdf) {
    static const QRegularExpression trailer(
        QStringLiteral("trailer\\s*<<(.*)>>\\s*startxref\\s*(\\d+)\\s*%%EOF\\s*$"),
        QRegularExpression::DotMatchesEverythingOption);
    // The trailer ends the file; the rest may be megabytes of pictures.
    const QRegularExpressionMatch match =
        trailer.match(QString::fromLatin1(pdf.mid(pdf.lastIndexOf("trailer"))));
    if (!match.hasMatch()) return std::nullopt;
    const QByteArray entries = match.captured(1).toLatin1();
    static const QRegularExpression size(QStringLiteral("/Size (\\d+)"));
    const auto root = Reference(entries, "Root");
    const auto info = Reference(entries, "Info");
    const QRegularExpressionMatch sizeMatch = size.match(QString::fromLatin1(entries));
    if (!root || !info || !sizeMatch.hasMatch()) return std::nullopt;
    PdfFrame frame;
    frame.Size = sizeMatch.captured(1).toInt();
    frame.Root = *root;
    frame.Info = *info;
    frame.PreviousXref = match.captured(2).toLongLong();

    const auto catalog = ObjectText(pdf, frame.Root);
    if (!catalog) return std::nullopt;
    const qsizetype open = catalog->indexOf("<<");
    const qsizetype close = catalog->lastIndexOf(">>");
    if (open < 0 || close < open) return std::nullopt;
    frame.CatalogBody = catalog->mid(open + 2, close - open - 2);
    const auto pagesNumber = Reference(*catalog, "Pages");
    const auto pages = pagesNumber ? ObjectText(pdf, *pagesNumber) : std::nullopt;
    if (!pages) return std::nullopt;
    const qsizetype kids = pages->indexOf("/Kids");
    const qsizetype kidsEnd = pages->indexOf(']', kids);
    static const QRegularExpression kid(QStringLiteral("(\\d+) 0 R"));
    for (const auto& k : kid.globalMatch(QString::fromLatin1(pages->mid(kids, kidsEnd - kids)))) {
        const int page = k.captured(1).toInt();
        const auto pageText = ObjectText(pdf, page);
        const auto annots = pageText ? Reference(*pageText, "Annots") : std::nullopt;
        if (!annots) return std::nullopt;
        frame.Pages.push_back(page);
        frame.AnnotsArrays.push_back(*annots);
    }
    if (kids < 0 || frame.Pages.empty()) return std::nullopt;
    return frame;
}

QByteArray Number(double value) {
    return QByteArray::number(value, 'f', 2);
}

QByteArray Ref(int number) {
    return QByteArray::number(number) + " 0 R";
}

// Titles as UTF-16 with its byte order mark, written in hexadecimal: no escaping needed.
QByteArray TextString(const QString& text) {
    QByteArray bytes("\xFE\xFF", 2);
    for (const QChar c : text) {
        bytes += static_cast<char>(c.unicode() >> 8);
        bytes += static_cast<char>(c.unicode() & 0xFF);
    }
    return '<' + bytes.toHex() + '>';
}

// A little above the heading, so that a jump shows it whole.
constexpr double kAboveTarget = 6.0;

QByteArray Destination(const PdfFrame& frame, const PdfPlace& place, double pageHeight) {
    const auto page = static_cast<std::size_t>(place.Page);
    if (page >= frame.Pages.size()) return {};
    return "[" + Ref(frame.Pages[page]) + " /XYZ 0 " +
           Number(pageHeight - place.Top + kAboveTarget) + " null]";
}

// Objects of the update by number, written in order.
using NewObjects = std::map<int, QByteArray>;

// Each level-2 entry under the root, each level-3 entry under the level-2 entry before it.
void AddOutline(NewObjects& objects, PdfFrame& frame, const std::vector<OutlineEntry>& outline,
                double pageHeight) {
    if (outline.empty()) return;
    const int root = frame.Size++;
    std::vector<int> numbers;
    std::vector<int> parents;
    int lastTop = -1;
    for (const OutlineEntry& entry : outline) {
        numbers.push_back(frame.Size++);
        const bool nested = entry.Level > 2 && lastTop >= 0;
        parents.push_back(nested ? lastTop : root);
        if (!nested) lastTop = numbers.back();
    }
    std::map<int, std::vector<int>> children;
    for (std::size_t k = 0; k < numbers.size(); ++k) children[parents[k]].push_back(numbers[k]);
    for (std::size_t k = 0; k < numbers.size(); ++k) {
        const std::vector<int>& siblings = children[parents[k]];
        const auto at = std::find(siblings.begin(), siblings.end(), numbers[k]) - siblings.begin();
        QByteArray item = "<<\n/Title " + TextString(outline[k].Title) + "\n/Parent " +
                          Ref(parents[k]) + "\n/Dest " +
                          Destination(frame, outline[k].Target, pageHeight) + '\n';
        if (at > 0) item += "/Prev " + Ref(siblings[static_cast<std::size_t>(at - 1)]) + '\n';
        if (at + 1 < static_cast<qsizetype>(siblings.size())) {
            item += "/Next " + Ref(siblings[static_cast<std::size_t>(at + 1)]) + '\n';
        }
        if (const auto own = children.find(numbers[k]); own != children.end()) {
            item += "/First " + Ref(own->second.front()) + "\n/Last " + Ref(own->second.back()) +
                    "\n/Count " + QByteArray::number(static_cast<int>(own->second.size())) + '\n';
        }
        objects[numbers[k]] = item + ">>";
    }
    const std::vector<int>& top = children[root];
    objects[root] = "<<\n/Type /Outlines\n/First " + Ref(top.front()) + "\n/Last " +
                    Ref(top.back()) + "\n/Count " +
                    QByteArray::number(static_cast<int>(numbers.size())) + "\n>>";
    objects[frame.Root] =
        "<<" + frame.CatalogBody + "/Outlines " + Ref(root) + "\n/PageMode /UseOutlines\n>>";
}

void AddLinks(NewObjects& objects, PdfFrame& frame, const std::vector<PdfLink>& links,
              double pageHeight) {
    std::map<std::size_t, QByteArray> annotations;
    for (const PdfLink& link : links) {
        const auto page = static_cast<std::size_t>(link.Page);
        if (page >= frame.Pages.size()) continue;
        const int number = frame.Size++;
        const QRectF& a = link.Area;
        objects[number] = "<<\n/Type /Annot\n/Subtype /Link\n/Rect [" + Number(a.left()) + ' ' +
                          Number(pageHeight - a.bottom()) + ' ' + Number(a.right()) + ' ' +
                          Number(pageHeight - a.top()) + "]\n/Border [0 0 0]\n/Dest " +
                          Destination(frame, link.Target, pageHeight) + "\n>>";
        annotations[page] += Ref(number) + ' ';
    }
    for (const auto& [page, refs] : annotations) {
        objects[frame.AnnotsArrays[page]] = "[ " + refs + "]";
    }
}

QByteArray XrefEntry(qsizetype offset) {
    return QByteArray::number(offset).rightJustified(10, '0') + " 00000 n \n";
}

QByteArray Update(const QByteArray& pdf, const PdfFrame& frame, const NewObjects& objects) {
    QByteArray update = "\n";
    std::map<int, qsizetype> offsets;
    for (const auto& [number, body] : objects) {
        offsets[number] = pdf.size() + update.size();
        update += QByteArray::number(number) + " 0 obj\n" + body + "\nendobj\n";
    }
    const qsizetype xref = pdf.size() + update.size();
    update += "xref\n";
    for (const auto& [number, offset] : offsets) {
        update += QByteArray::number(number) + " 1\n" + XrefEntry(offset);
    }
    update += "trailer\n<<\n/Size " + QByteArray::number(frame.Size) + "\n/Info " +
              Ref(frame.Info) + "\n/Root " + Ref(frame.Root) + "\n/Prev " +
              QByteArray::number(frame.PreviousXref) + "\n>>\nstartxref\n" +
              QByteArray::number(xref) + "\n%%EOF\n";
    return pdf + update;
}

}  // namespace

QByteArray WithNavigation(const QByteArray& pdf, const std::vector<OutlineEntry>& outline,
                          const std::vector<PdfLink>& links, double pageHeight) {
    std::optional<PdfFrame> frame = ReadFrame(pdf);
    if (!frame) return {};
    NewObjects objects;
    AddOutline(objects, *frame, outline, pageHeight);
    AddLinks(objects, *frame, links, pageHeight);
    return Update(pdf, *frame, objects);
}

}  // namespace strativex::helpdocs
