#include "ui/platform/pdfdocument.h"

#include "ui/platform/printersurface.h"

#include <QBuffer>
#include <QFile>
#include <QMarginsF>
#include <QPageLayout>
#include <QPageSize>
#include <QPdfWriter>

#include <map>
#include <memory>
#include <vector>

namespace tallyro {

namespace {

bool isDelimiter(char c) {
    return c == ' ' || c == '\n' || c == '\r' || c == '\t' || c == '\f' || c == '\0' || c == '/' ||
           c == '(' || c == ')' || c == '<' || c == '>' || c == '[' || c == ']' || c == '{' ||
           c == '}' || c == '%';
}

// The name that starts at from, up to the next delimiter.
QByteArray nameAt(const QByteArray& pdf, qsizetype from) {
    qsizetype end = from;
    while (end < pdf.size() && !isDelimiter(pdf[end]))
        ++end;
    return pdf.mid(from, end - from);
}

bool isSubsetTag(const QByteArray& name) {
    if (name.size() < 8 || name[6] != '+')
        return false;
    for (int i = 0; i < 6; ++i)
        if (name[i] < 'A' || name[i] > 'Z')
            return false;
    return true;
}

bool readNumber(const QByteArray& pdf, qsizetype& at, long long& value) {
    while (at < pdf.size() && (pdf[at] == ' ' || pdf[at] == '\r' || pdf[at] == '\n'))
        ++at;
    qsizetype start = at;
    value = 0;
    while (at < pdf.size() && pdf[at] >= '0' && pdf[at] <= '9')
        value = value * 10 + (pdf[at++] - '0');
    return at > start;
}

} // namespace

QByteArray tagSubsetFonts(const QByteArray& pdf) {
    // Family name -> tagged name, from the font descriptors.
    std::map<QByteArray, QByteArray> tagged;
    static const QByteArray fontName("/FontName /");
    for (qsizetype at = pdf.indexOf(fontName); at >= 0; at = pdf.indexOf(fontName, at + 1)) {
        QByteArray name = nameAt(pdf, at + fontName.size());
        if (isSubsetTag(name))
            tagged[name.mid(7)] = name;
    }
    if (tagged.empty())
        return pdf;

    // Where the tags go in, and how much each one adds.
    std::vector<std::pair<qsizetype, QByteArray>> inserts;
    static const QByteArray baseFont("/BaseFont /");
    for (qsizetype at = pdf.indexOf(baseFont); at >= 0; at = pdf.indexOf(baseFont, at + 1)) {
        qsizetype nameStart = at + baseFont.size();
        auto found = tagged.find(nameAt(pdf, nameStart));
        if (found != tagged.end())
            inserts.emplace_back(nameStart, found->second.left(7));
    }
    if (inserts.empty())
        return pdf;
    auto shiftOf = [&](long long offset) {
        long long shift = 0;
        for (const auto& [position, tag] : inserts)
            if (position < offset)
                shift += tag.size();
        return shift;
    };

    // The one cross-reference table the writer makes, at the end.
    qsizetype startxref = pdf.lastIndexOf("startxref");
    if (startxref < 0)
        return pdf;
    qsizetype at = startxref + 9;
    long long xref = 0;
    if (!readNumber(pdf, at, xref) || xref <= 0 || xref >= pdf.size() || pdf.mid(xref, 4) != "xref")
        return pdf;
    qsizetype startxrefNumber = startxref + 9;
    while (pdf[startxrefNumber] == ' ' || pdf[startxrefNumber] == '\r' ||
           pdf[startxrefNumber] == '\n')
        ++startxrefNumber;

    QByteArray result;
    result.reserve(pdf.size() + qsizetype(inserts.size()) * 7);
    qsizetype copied = 0;
    for (const auto& [position, tag] : inserts) {
        result.append(pdf.constData() + copied, position - copied);
        result.append(tag);
        copied = position;
    }
    result.append(pdf.constData() + copied, pdf.size() - copied);

    // Entries keep their width (ten digits), so the table stays where the
    // moved start says it is.
    long long newXref = xref + shiftOf(xref);
    at = xref + 4;
    long long first = 0, count = 0;
    while (readNumber(pdf, at, first) && readNumber(pdf, at, count)) {
        while (at < pdf.size() && (pdf[at] == ' ' || pdf[at] == '\r' || pdf[at] == '\n'))
            ++at;
        for (long long i = 0; i < count; ++i, at += 20) {
            if (at + 18 > pdf.size())
                return pdf;
            if (pdf[at + 17] != 'n')
                continue;
            long long offset = pdf.mid(at, 10).toLongLong();
            QByteArray moved = QByteArray::number(offset + shiftOf(offset)).rightJustified(10, '0');
            if (moved.size() != 10)
                return pdf;
            result.replace(at + shiftOf(at), 10, moved);
        }
        if (pdf.mid(at, 7) == "trailer")
            break;
    }
    QByteArray oldStart = QByteArray::number(xref);
    result.replace(startxrefNumber + shiftOf(startxrefNumber), oldStart.size(),
                   QByteArray::number(newXref));
    return result;
}

void printToPdf(const QString& path, const PageComposition& compose) {
    // Open the file first, so the teacher hears the system's reason when it
    // cannot be written.
    auto file = std::make_unique<QFile>(path);
    if (!file->open(QIODevice::WriteOnly))
        throw PrintError(file->errorString().toStdString());
    try {
        QBuffer buffer;
        buffer.open(QIODevice::WriteOnly);
        {
            QPdfWriter writer(&buffer);
            writer.setCreator(QStringLiteral("Tallyro"));
            writer.setResolution(600);
            // The margins of the printer the pages were planned on.
            const double margin = 1.0 / 6;
            writer.setPageLayout(QPageLayout(QPageSize(QPageSize::Letter), QPageLayout::Portrait,
                                             QMarginsF(margin, margin, margin, margin),
                                             QPageLayout::Inch));
            PainterSurface surface(writer);
            compose(surface);
            surface.endDoc();
        }
        QByteArray pdf = tagSubsetFonts(buffer.data());
        if (file->write(pdf) != pdf.size() || !file->flush())
            throw PrintError(file->errorString().toStdString());
        file->close();
        if (file->error() != QFileDevice::NoError)
            throw PrintError(file->errorString().toStdString());
    } catch (...) {
        // Half a document is no use to anybody: leave no file behind.
        file->remove();
        throw;
    }
}

} // namespace tallyro
