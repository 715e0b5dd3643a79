#include "ui/platform/pdfdocument.h"

#include "ui/platform/printersurface.h"

#include <QBuffer>
#include <QCoreApplication>
#include <QFile>
#include <QGlyphRun>
#include <QLineF>
#include <QMarginsF>
#include <QPageLayout>
#include <QPageSize>
#include <QPdfWriter>
#include <QRawFont>

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <ctime>
#include <map>
#include <memory>
#include <string>
#include <variant>
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

namespace {

// Big-endian numbers of a font's tables; reads past the end give 0, so a
// damaged table is refused by its sizes rather than read out of bounds.
quint16 u16(const QByteArray& data, qsizetype at) {
    if (at < 0 || at + 2 > data.size())
        return 0;
    return quint16((quint8(data[at]) << 8) | quint8(data[at + 1]));
}

qint16 s16(const QByteArray& data, qsizetype at) {
    return qint16(u16(data, at));
}

quint32 u32(const QByteArray& data, qsizetype at) {
    return (quint32(u16(data, at)) << 16) | u16(data, at + 2);
}

void put16(QByteArray& data, qsizetype at, quint16 value) {
    data[at] = char(value >> 8);
    data[at + 1] = char(value & 0xff);
}

void put32(QByteArray& data, qsizetype at, quint32 value) {
    put16(data, at, quint16(value >> 16));
    put16(data, at + 2, quint16(value & 0xffff));
}

void append16(QByteArray& data, quint16 value) {
    data.append(char(value >> 8));
    data.append(char(value & 0xff));
}

void append32(QByteArray& data, quint32 value) {
    append16(data, quint16(value >> 16));
    append16(data, quint16(value & 0xffff));
}

struct EmbeddedSubset;

// A TrueType face as a PDF embeds it, read from its tables once for the
// life of the application. Faces this writer does not embed (CFF outlines,
// variable fonts, licences that forbid embedding) leave the document to Qt.
struct FontProgram {
    FontProgram();
    ~FontProgram();

    bool embeddable = false;
    int glyphCount = 0;
    int unitsPerEm = 0;
    QByteArray glyf, head, hhea, maxp, os2, name, post;
    std::vector<quint32> loca;    // where each glyph's outline starts, and the end
    std::vector<quint16> advance; // design units, by glyph
    std::vector<qint16> leftBearing;
    std::vector<char32_t> unicode; // the lowest character drawn with each glyph, or 0
    // The glyphs of the printable ASCII characters, which every subset holds
    // (see EmbeddedSubset).
    std::vector<quint32> asciiGlyphs;
    QByteArray postScriptName;
    int weightClass = 400;
    bool italic = false;
    // Subsets already embedded, the latest last.
    std::vector<std::unique_ptr<EmbeddedSubset>> subsets;
};

// The PostScript name (name ID 6), which a PDF names the font by.
QByteArray postScriptNameOf(const QByteArray& name) {
    int count = u16(name, 2);
    qsizetype strings = u16(name, 4);
    QByteArray fallback;
    for (int i = 0; i < count; ++i) {
        qsizetype record = 6 + 12 * i;
        if (u16(name, record + 6) != 6)
            continue;
        int platform = u16(name, record);
        qsizetype length = u16(name, record + 8);
        qsizetype at = strings + u16(name, record + 10);
        if (at + length > name.size())
            continue;
        QByteArray text;
        if (platform == 3 || platform == 0) {
            for (qsizetype c = 0; c + 1 < length; c += 2)
                text.append(char(u16(name, at + c) & 0x7f));
        } else if (platform == 1) {
            text = name.mid(at, length);
        }
        if (platform == 3 && !text.isEmpty())
            return text;
        if (fallback.isEmpty())
            fallback = text;
    }
    return fallback;
}

// PDF names stay plain: anything but letters, digits, '-' and '_' goes.
QByteArray plainName(const QByteArray& name) {
    QByteArray plain;
    for (char c : name)
        if ((c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') ||
            c == '-' || c == '_')
            plain.append(c);
    return plain;
}

// The character map turned round: for every glyph the lowest character the
// font draws with it, as Qt's writer maps them for copying text.
void readCharacterMap(const QByteArray& cmap, FontProgram& font) {
    font.unicode.assign(size_t(font.glyphCount), 0);
    std::array<quint32, 0x5f> ascii{};
    auto record = [&](char32_t character, quint32 glyph) {
        if (glyph == 0 || glyph >= quint32(font.glyphCount))
            return;
        char32_t& known = font.unicode[glyph];
        if (known == 0 || character < known)
            known = character;
        if (character >= 0x20 && character < 0x7f && ascii[character - 0x20] == 0)
            ascii[character - 0x20] = glyph;
    };
    int tables = u16(cmap, 2);
    for (int t = 0; t < tables; ++t) {
        int platform = u16(cmap, 4 + 8 * t);
        int encoding = u16(cmap, 6 + 8 * t);
        if (!(platform == 0 || (platform == 3 && (encoding == 1 || encoding == 10))))
            continue;
        qsizetype at = u32(cmap, 8 + 8 * t);
        int format = u16(cmap, at);
        if (format == 4) {
            int segments = u16(cmap, at + 6) / 2;
            qsizetype ends = at + 14, starts = ends + 2 * segments + 2,
                      deltas = starts + 2 * segments, ranges = deltas + 2 * segments;
            if (ranges + 2 * segments > cmap.size())
                continue;
            for (int s = 0; s < segments; ++s) {
                quint32 first = u16(cmap, starts + 2 * s), last = u16(cmap, ends + 2 * s);
                quint16 delta = u16(cmap, deltas + 2 * s);
                qsizetype rangeAt = ranges + 2 * s;
                quint16 range = u16(cmap, rangeAt);
                for (quint32 c = first; c <= last && c < 0xffff; ++c) {
                    quint32 glyph;
                    if (range == 0) {
                        glyph = quint16(c + delta);
                    } else {
                        glyph = u16(cmap, rangeAt + range + 2 * (c - first));
                        if (glyph != 0)
                            glyph = quint16(glyph + delta);
                    }
                    record(char32_t(c), glyph);
                }
            }
        } else if (format == 12) {
            quint32 groups = u32(cmap, at + 12);
            if (at + 16 + qsizetype(groups) * 12 > cmap.size())
                continue;
            for (quint32 g = 0; g < groups; ++g) {
                qsizetype group = at + 16 + qsizetype(g) * 12;
                quint32 first = u32(cmap, group), last = u32(cmap, group + 4);
                quint32 glyph = u32(cmap, group + 8);
                for (quint32 c = first; c <= last && c <= 0x10ffff; ++c, ++glyph) {
                    if (glyph >= quint32(font.glyphCount))
                        break;
                    record(char32_t(c), glyph);
                }
            }
        }
    }
    for (quint32 glyph : ascii)
        if (glyph != 0 && std::find(font.asciiGlyphs.begin(), font.asciiGlyphs.end(), glyph) ==
                              font.asciiGlyphs.end())
            font.asciiGlyphs.push_back(glyph);
}

std::unique_ptr<FontProgram> readFontProgram(const QRawFont& raw) {
    auto font = std::make_unique<FontProgram>();
    font->head = raw.fontTable("head");
    font->hhea = raw.fontTable("hhea");
    font->maxp = raw.fontTable("maxp");
    font->glyf = raw.fontTable("glyf");
    font->os2 = raw.fontTable("OS/2");
    if (font->head.size() < 54 || font->hhea.size() < 36 || font->maxp.size() < 6 ||
        font->glyf.isEmpty() || !raw.fontTable("fvar").isEmpty())
        return font;
    if (font->os2.size() >= 10) {
        quint16 licence = u16(font->os2, 8);
        // Qt's writer does not embed these either.
        if ((licence & 0x200) || licence == 2)
            return font;
        font->weightClass = u16(font->os2, 4);
        font->italic = font->os2.size() >= 64 && (u16(font->os2, 62) & 1);
    }
    font->italic = font->italic || (u16(font->head, 44) & 2);
    font->unitsPerEm = u16(font->head, 18);
    font->glyphCount = u16(font->maxp, 4);
    if (font->unitsPerEm == 0 || font->glyphCount == 0)
        return font;

    QByteArray loca = raw.fontTable("loca");
    bool longOffsets = s16(font->head, 50) == 1;
    if (loca.size() < (font->glyphCount + 1) * (longOffsets ? 4 : 2))
        return font;
    font->loca.resize(size_t(font->glyphCount) + 1);
    for (int g = 0; g <= font->glyphCount; ++g) {
        font->loca[g] = longOffsets ? u32(loca, 4 * g) : 2u * u16(loca, 2 * g);
        if (font->loca[g] > quint32(font->glyf.size()) ||
            (g > 0 && font->loca[g] < font->loca[g - 1]))
            return font;
    }

    QByteArray hmtx = raw.fontTable("hmtx");
    int metrics = u16(font->hhea, 34);
    if (metrics == 0 || metrics > font->glyphCount ||
        hmtx.size() < 4 * metrics + 2 * (font->glyphCount - metrics))
        return font;
    font->advance.resize(size_t(font->glyphCount));
    font->leftBearing.resize(size_t(font->glyphCount));
    for (int g = 0; g < font->glyphCount; ++g) {
        font->advance[g] = u16(hmtx, 4 * std::min(g, metrics - 1));
        font->leftBearing[g] =
            g < metrics ? s16(hmtx, 4 * g + 2) : s16(hmtx, 4 * metrics + 2 * (g - metrics));
    }

    readCharacterMap(raw.fontTable("cmap"), *font);
    font->name = raw.fontTable("name");
    font->post = raw.fontTable("post");
    font->postScriptName = plainName(postScriptNameOf(font->name));
    if (font->postScriptName.isEmpty())
        font->postScriptName = plainName((raw.familyName() + raw.styleName()).toLatin1());
    if (font->postScriptName.isEmpty())
        font->postScriptName = "Font";
    font->embeddable = true;
    return font;
}

// The faces read so far, and the font engines (one per face and size) seen
// drawing with them, for the life of the application.
struct FontPrograms {
    std::vector<std::unique_ptr<FontProgram>> programs;
    std::vector<QByteArray> identities;
    std::vector<std::pair<QRawFont, FontProgram*>> engines;
};

FontPrograms* fontPrograms() {
    static FontPrograms* programs = nullptr;
    if (!programs) {
        programs = new FontPrograms();
        // Font engines must go while the font database is still there.
        qAddPostRoutine([] {
            delete programs;
            programs = nullptr;
        });
    }
    return programs;
}

// The face a glyph run draws with, or nothing when this writer cannot embed
// it as Qt would draw it: a face whose bold or italic Qt makes up by
// thickening or slanting the outlines.
FontProgram* fontProgramFor(const QRawFont& raw) {
    FontPrograms& known = *fontPrograms();
    for (const auto& [engine, program] : known.engines)
        if (engine == raw)
            return program;
    QByteArray identity = raw.familyName().toUtf8() + '\n' + raw.styleName().toUtf8() + '\n' +
                          raw.fontTable("head") + raw.fontTable("name");
    FontProgram* program = nullptr;
    for (size_t i = 0; i < known.identities.size(); ++i)
        if (known.identities[i] == identity)
            program = known.programs[i].get();
    if (!program) {
        known.programs.push_back(readFontProgram(raw));
        known.identities.push_back(identity);
        program = known.programs.back().get();
    }
    bool madeUp = (raw.weight() >= QFont::DemiBold && program->weightClass < QFont::DemiBold) ||
                  (raw.style() != QFont::StyleNormal && !program->italic);
    FontProgram* result = program->embeddable && !madeUp ? program : nullptr;
    // Engines come and go with Qt's font cache; a long list starts afresh.
    if (known.engines.size() >= 64)
        known.engines.clear();
    known.engines.emplace_back(raw, result);
    return result;
}

// One face as one document uses it: the glyphs it draws, numbered afresh
// (0 stays the missing glyph). The printable ASCII characters come first
// whether drawn or not, so that most documents draw from the same subset
// and its font program is made and compressed once, not in every document.
struct DocumentFont {
    FontProgram* program = nullptr;
    int object = 0;              // the first of its six objects
    std::vector<int> number;     // by the face's glyph; -1 where not used
    std::vector<quint32> glyphs; // the face's glyphs, by number

    explicit DocumentFont(FontProgram* face, int firstObject)
        : program(face), object(firstObject), number(size_t(face->glyphCount), -1) {
        use(0);
        for (quint32 glyph : face->asciiGlyphs)
            use(glyph);
    }
    quint16 use(quint32 glyph) {
        if (glyph >= number.size())
            glyph = 0;
        if (number[glyph] < 0) {
            number[glyph] = int(glyphs.size());
            glyphs.push_back(glyph);
        }
        return quint16(number[glyph]);
    }
};

// The sum of a table's big-endian words, the last one padded with zeros.
quint32 tableChecksum(const QByteArray& table) {
    quint32 sum = 0;
    for (qsizetype at = 0; at < table.size(); ++at)
        sum += quint32(quint8(table[at])) << (24 - 8 * (at % 4));
    return sum;
}

// The outline of a glyph without its hinting instructions (a PDF reader
// scales outlines smoothly, and Qt's writer leaves them out too), with the
// parts of a composite glyph numbered as in the subset.
void appendOutline(QByteArray& glyf, const FontProgram& face, quint32 glyph, DocumentFont& font) {
    qsizetype start = face.loca[glyph];
    qsizetype length = qsizetype(face.loca[glyph + 1]) - start;
    if (length < 10)
        return;
    QByteArray outline = face.glyf.mid(start, length);
    int contours = s16(outline, 0);
    if (contours >= 0) {
        qsizetype instructions = 10 + 2 * qsizetype(contours);
        qsizetype count = u16(outline, instructions);
        if (instructions + 2 + count > length) {
            glyf.append(outline);
            return;
        }
        glyf.append(outline.constData(), instructions);
        append16(glyf, 0);
        glyf.append(outline.constData() + instructions + 2 + count,
                    length - instructions - 2 - count);
        return;
    }
    qsizetype at = 10;
    glyf.append(outline.constData(), 10);
    for (;;) {
        if (at + 4 > length)
            return;
        quint16 flags = u16(outline, at);
        quint32 part = u16(outline, at + 2);
        qsizetype size = 4 + ((flags & 0x1) ? 4 : 2) +
                         ((flags & 0x8)    ? 2
                          : (flags & 0x40) ? 4
                          : (flags & 0x80) ? 8
                                           : 0);
        if (at + size > length)
            return;
        append16(glyf, flags & ~0x100);
        append16(glyf, font.use(part));
        glyf.append(outline.constData() + at + 4, size - 4);
        at += size;
        if (!(flags & 0x20))
            return;
    }
}

// The subset font program: the glyphs the document draws, and the parts of
// its composite glyphs, which join the subset here.
QByteArray subsetProgram(DocumentFont& font) {
    const FontProgram& face = *font.program;
    QByteArray glyf;
    std::vector<quint32> offsets{0};
    for (size_t i = 0; i < font.glyphs.size(); ++i) {
        appendOutline(glyf, face, font.glyphs[i], font);
        while (glyf.size() % 4)
            glyf.append('\0');
        offsets.push_back(quint32(glyf.size()));
    }
    quint16 count = quint16(font.glyphs.size());
    QByteArray loca;
    for (quint32 offset : offsets)
        append32(loca, offset);
    QByteArray hmtx;
    for (quint32 glyph : font.glyphs) {
        append16(hmtx, face.advance[glyph]);
        append16(hmtx, quint16(face.leftBearing[glyph]));
    }
    QByteArray head = face.head.left(54);
    put32(head, 8, 0);
    put16(head, 50, 1);
    QByteArray hhea = face.hhea.left(36);
    put16(hhea, 34, count);
    QByteArray maxp = face.maxp;
    put16(maxp, 4, count);
    QByteArray post;
    if (face.post.size() >= 32) {
        // Version 3: no glyph names, which a PDF does not need.
        post = face.post.left(32);
        put32(post, 0, 0x00030000);
    }

    std::vector<std::pair<const char*, const QByteArray*>> tables;
    if (!face.os2.isEmpty())
        tables.emplace_back("OS/2", &face.os2);
    tables.emplace_back("glyf", &glyf);
    tables.emplace_back("head", &head);
    tables.emplace_back("hhea", &hhea);
    tables.emplace_back("hmtx", &hmtx);
    tables.emplace_back("loca", &loca);
    tables.emplace_back("maxp", &maxp);
    if (!face.name.isEmpty())
        tables.emplace_back("name", &face.name);
    if (!post.isEmpty())
        tables.emplace_back("post", &post);

    QByteArray program;
    quint16 tableCount = quint16(tables.size());
    quint16 power = 1, log2 = 0;
    while (power * 2 <= tableCount) {
        power *= 2;
        ++log2;
    }
    append32(program, 0x00010000);
    append16(program, tableCount);
    append16(program, quint16(power * 16));
    append16(program, log2);
    append16(program, quint16(tableCount * 16 - power * 16));
    qsizetype offset = 12 + 16 * qsizetype(tableCount);
    qsizetype headAt = 0;
    for (const auto& [tag, table] : tables) {
        program.append(tag, 4);
        append32(program, tableChecksum(*table));
        append32(program, quint32(offset));
        append32(program, quint32(table->size()));
        if (table == &head)
            headAt = offset;
        offset += (table->size() + 3) / 4 * 4;
    }
    for (const auto& [tag, table] : tables) {
        program.append(*table);
        while (program.size() % 4)
            program.append('\0');
    }
    put32(program, headAt + 8, 0xB1B0AFBAu - tableChecksum(program));
    return program;
}

// Numbers as a PDF wants them: whole ones without a point, others to five
// places.
void appendNumber(std::string& out, double value) {
    char buffer[40];
    char* end;
    // Glyphs stand on whole dots: mostly whole numbers, quickly.
    long long whole = std::abs(value) < 1e15 ? static_cast<long long>(value) : 0;
    if (double(whole) != value && std::abs(value - std::round(value)) < 1e-9)
        whole = static_cast<long long>(std::round(value));
    if (std::abs(value - double(whole)) < 1e-9) {
        end = std::to_chars(buffer, buffer + sizeof buffer, whole).ptr;
    } else {
        end = std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed, 5).ptr;
        while (end[-1] == '0')
            --end;
        if (end[-1] == '.')
            --end;
    }
    if (end - buffer == 2 && buffer[0] == '-' && buffer[1] == '0')
        out.append("0");
    else
        out.append(buffer, end);
}

void appendNumber(QByteArray& out, double value) {
    std::string text;
    appendNumber(text, value);
    out.append(text.data(), qsizetype(text.size()));
}

// Where QPainter places a glyph: on 1/64 of a device dot.
double sixtyFourths(double value) {
    double scaled = value * 64;
    if (!(std::abs(scaled) < 1e15) || double(static_cast<long long>(scaled)) == scaled)
        return value;
    return std::round(scaled) / 64;
}

void appendHex4(std::string& out, quint32 value) {
    static const char digits[] = "0123456789ABCDEF";
    char hex[4] = {digits[(value >> 12) & 15], digits[(value >> 8) & 15], digits[(value >> 4) & 15],
                   digits[value & 15]};
    out.append(hex, 4);
}

// A zlib stream, as a PDF's FlateDecode reads it. Page content repeats
// itself so much that the harder levels spend long on it for little.
QByteArray compressed(const char* data, qsizetype size, int level) {
    // qCompress puts the length in front of the zlib stream.
    return qCompress(reinterpret_cast<const uchar*>(data), size, level).mid(4);
}

// The characters each glyph of a font stands for, so that text copied from
// the PDF (or read by pdftotext) is the text printed.
QByteArray toUnicodeMap(const DocumentFont& font) {
    std::string map = "/CIDInit /ProcSet findresource begin\n12 dict begin\nbegincmap\n"
                      "/CIDSystemInfo << /Registry (Adobe) /Ordering (UCS) /Supplement 0 >> def\n"
                      "/CMapName /Adobe-Identity-UCS def\n/CMapType 2 def\n"
                      "1 begincodespacerange\n<0000> <FFFF>\nendcodespacerange\n";
    std::vector<std::pair<quint32, char32_t>> entries;
    for (size_t n = 1; n < font.glyphs.size(); ++n)
        if (char32_t c = font.program->unicode[font.glyphs[n]])
            entries.emplace_back(quint32(n), c);
    for (size_t first = 0; first < entries.size(); first += 100) {
        size_t last = std::min(entries.size(), first + 100);
        map += std::to_string(last - first) + " beginbfchar\n";
        for (size_t i = first; i < last; ++i) {
            map += '<';
            appendHex4(map, entries[i].first);
            map += "> <";
            char32_t c = entries[i].second;
            if (c >= 0x10000) {
                appendHex4(map, 0xd800 + ((c - 0x10000) >> 10));
                appendHex4(map, 0xdc00 + ((c - 0x10000) & 0x3ff));
            } else {
                appendHex4(map, c);
            }
            map += ">\n";
        }
        map += "endbfchar\n";
    }
    map += "endcmap\nCMapName currentdict /CMap defineresource pop\nend\nend\n";
    return QByteArray(map.data(), qsizetype(map.size()));
}

// A six-letter tag that tells readers the font is a subset, different for
// different subsets of the same face.
QByteArray subsetTag(const DocumentFont& font) {
    quint64 hash = 1469598103934665603ull;
    auto mix = [&](quint64 value) {
        hash ^= value;
        hash *= 1099511628211ull;
    };
    for (char c : font.program->postScriptName)
        mix(quint8(c));
    for (quint32 glyph : font.glyphs)
        mix(glyph);
    QByteArray tag(6, 'A');
    for (int i = 0; i < 6; ++i, hash /= 26)
        tag[i] = char('A' + hash % 26);
    return tag;
}

// A subset as a PDF embeds it: its six objects but for their numbers, kept
// with its face for the next document drawn from the same glyphs.
struct EmbeddedSubset {
    std::vector<quint32> glyphs; // the document's glyphs by number, parts of composites not
    QByteArray name;             // "/TAGABC+PostScriptName"
    QByteArray widths;           // the /W array
    QByteArray descriptor;       // the font descriptor's measures
    QByteArray program;          // compressed
    qsizetype programLength = 0;
    QByteArray toUnicode;
    QByteArray cidSet;
};

FontProgram::FontProgram() = default;
FontProgram::~FontProgram() = default;

// Subsets kept per face: a class's documents share a few.
constexpr size_t kKeptSubsets = 16;

const EmbeddedSubset& embeddedSubset(DocumentFont& font) {
    FontProgram& face = *font.program;
    for (const auto& subset : face.subsets)
        if (subset->glyphs == font.glyphs)
            return *subset;
    auto subset = std::make_unique<EmbeddedSubset>();
    subset->glyphs = font.glyphs;
    QByteArray program = subsetProgram(font); // adds the parts of composite glyphs
    subset->programLength = program.size();
    subset->program = compressed(program.constData(), program.size(), 6);
    subset->name = "/" + subsetTag(font) + "+" + face.postScriptName;

    double scale = 1000.0 / face.unitsPerEm;
    subset->widths = "[0 [";
    for (quint32 glyph : font.glyphs) {
        appendNumber(subset->widths, std::round(face.advance[glyph] * scale));
        subset->widths.append(' ');
    }
    subset->widths.append("]]");

    QByteArray& descriptor = subset->descriptor;
    descriptor = "/Flags 4\n/FontBBox [";
    for (int i = 0; i < 4; ++i) {
        appendNumber(descriptor, std::round(s16(face.head, 36 + 2 * i) * scale));
        descriptor.append(i < 3 ? " " : "]\n");
    }
    double ascent = s16(face.hhea, 4) * scale;
    double capHeight =
        face.os2.size() >= 90 && u16(face.os2, 0) >= 2 ? s16(face.os2, 88) * scale : ascent;
    descriptor.append("/ItalicAngle ");
    appendNumber(descriptor, std::round(qint32(u32(face.post, 4)) / 65536.0 * 100) / 100);
    descriptor.append("\n/Ascent ");
    appendNumber(descriptor, std::round(ascent));
    descriptor.append("\n/Descent ");
    appendNumber(descriptor, std::round(s16(face.hhea, 6) * scale));
    descriptor.append("\n/CapHeight ");
    appendNumber(descriptor, std::round(capHeight > 0 ? capHeight : ascent));
    // Stems as thick as the underline, as Qt's writer estimates them.
    descriptor.append("\n/StemV ");
    appendNumber(descriptor, std::max(1.0, std::round(s16(face.post, 10) * scale)));
    descriptor.append("\n");

    subset->toUnicode = toUnicodeMap(font);
    subset->cidSet = QByteArray((qsizetype(font.glyphs.size()) + 7) / 8, '\0');
    for (size_t n = 0; n < font.glyphs.size(); ++n)
        subset->cidSet[qsizetype(n / 8)] =
            char(quint8(subset->cidSet[qsizetype(n / 8)]) | (0x80 >> (n % 8)));

    if (face.subsets.size() >= kKeptSubsets)
        face.subsets.erase(face.subsets.begin());
    face.subsets.push_back(std::move(subset));
    return *face.subsets.back();
}

// The ink of a PDF document, kept sheet by sheet until it is complete, then
// written out by this writer (or, for a face it cannot embed, by Qt's).
class PdfSheets : public PageInk {
public:
    struct Glyphs {
        QPointF position;
        QGlyphRun run;
    };
    using Mark = std::variant<Glyphs, QLineF>;

    explicit PdfSheets(double dpi) : dpi_(dpi) { sheets_.emplace_back(); }

    void startSheet() override { sheets_.emplace_back(); }
    void drawGlyphs(const QPointF& position, const QGlyphRun& glyphs) override {
        sheets_.back().push_back(Glyphs{position, glyphs});
    }
    void drawRule(const QLineF& line) override { sheets_.back().push_back(line); }
    void finish() override {}

    // The document, or nothing when a face is one to leave to Qt.
    QByteArray write(const QPageLayout& layout);
    // The same ink on another device (Qt's writer).
    void replay(PageInk& ink) const;

private:
    void writeGlyphs(std::string& out, const Glyphs& glyphs, DocumentFont& font, int resource);
    void setPen(std::string& out, double width, int cap);

    double dpi_;
    std::vector<std::vector<Mark>> sheets_;
    // What the page being written last set, so that it is set only on change.
    int textFont_ = -1;
    double textSize_ = 0;
    double penWidth_ = -1;
    int penCap_ = -1;
};

void PdfSheets::setPen(std::string& out, double width, int cap) {
    if (penWidth_ == width && penCap_ == cap)
        return;
    appendNumber(out, width);
    out += " w ";
    appendNumber(out, cap);
    out += " J\n";
    penWidth_ = width;
    penCap_ = cap;
}

void PdfSheets::replay(PageInk& ink) const {
    for (size_t s = 0; s < sheets_.size(); ++s) {
        if (s > 0)
            ink.startSheet();
        for (const Mark& mark : sheets_[s]) {
            if (const auto* glyphs = std::get_if<Glyphs>(&mark))
                ink.drawGlyphs(glyphs->position, glyphs->run);
            else
                ink.drawRule(std::get<QLineF>(mark));
        }
    }
    ink.finish();
}

void PdfSheets::writeGlyphs(std::string& out, const Glyphs& glyphs, DocumentFont& font,
                            int resource) {
    const QGlyphRun& run = glyphs.run;
    const QList<quint32> indexes = run.glyphIndexes();
    const QList<QPointF> positions = run.positions();
    qsizetype count = std::min(indexes.size(), positions.size());
    if (count == 0)
        return;
    QRawFont raw = run.rawFont();
    double size = raw.pixelSize();
    out += "BT\n";
    if (textFont_ != resource || textSize_ != size) {
        out += "/F";
        appendNumber(out, resource);
        out += ' ';
        appendNumber(out, size);
        out += " Tf\n";
        textFont_ = resource;
        textSize_ = size;
    }
    // The page is drawn upside down (y down, as on the device); the text
    // matrix stands the glyphs up again, and every glyph is placed on its
    // own, as Qt's writer places them.
    out += "1 0 0 -1 0 0 Tm\n";
    double lastX = 0, lastY = 0;
    for (qsizetype i = 0; i < count; ++i) {
        double x = sixtyFourths(glyphs.position.x() + positions[i].x());
        double y = sixtyFourths(glyphs.position.y() + positions[i].y());
        appendNumber(out, x - lastX);
        out += ' ';
        appendNumber(out, lastY - y);
        out += " Td <";
        appendHex4(out, font.use(indexes[i]));
        out += "> Tj\n";
        lastX = x;
        lastY = y;
    }
    out += "ET\n";
    if (!run.underline())
        return;
    // The underline as QPainter draws one under a glyph run: from the run's
    // position to the advance of its last glyph, just below the baseline.
    double first = sixtyFourths(glyphs.position.x() + positions[0].x());
    double last = sixtyFourths(glyphs.position.x() + positions[count - 1].x());
    bool rightToLeft = last < first;
    double baseline = sixtyFourths(glyphs.position.y() + positions[0].y());
    QList<QPointF> advances = raw.advancesForGlyphIndexes({indexes[rightToLeft ? 0 : count - 1]});
    double advance = advances.isEmpty() ? 0 : std::round(advances[0].x());
    double width = rightToLeft ? first + advance - last : last + advance - first;
    double left = std::floor(glyphs.position.x());
    double right = std::floor(glyphs.position.x() + width);
    double offset = raw.underlinePosition();
    double adjusted = std::ceil(offset) + 0.5;
    if (offset <= raw.descent())
        adjusted = std::min(adjusted, raw.descent() - 0.5);
    double y = baseline + adjusted;
    // Flat ends, as wide as the font's underline.
    setPen(out, raw.lineThickness(), 0);
    appendNumber(out, left);
    out += ' ';
    appendNumber(out, y);
    out += " m ";
    appendNumber(out, right);
    out += ' ';
    appendNumber(out, y);
    out += " l S\n";
}

QByteArray PdfSheets::write(const QPageLayout& layout) {
    // The fonts first: a face this writer cannot embed leaves the document
    // to Qt before anything is written.
    enum { kInfo = 1, kCatalog, kPages, kResources, kFirstPage };
    int sheetCount = int(sheets_.size());
    int fontObject = kFirstPage + 2 * sheetCount;
    std::vector<std::unique_ptr<DocumentFont>> fonts;
    std::vector<std::pair<QRawFont, int>> engines; // engine -> index in fonts
    auto fontIndex = [&](const QRawFont& raw) -> int {
        for (const auto& [engine, index] : engines)
            if (engine == raw)
                return index;
        FontProgram* program = fontProgramFor(raw);
        if (!program)
            return -1;
        int index = -1;
        for (size_t i = 0; i < fonts.size(); ++i)
            if (fonts[i]->program == program)
                index = int(i);
        if (index < 0) {
            fonts.push_back(std::make_unique<DocumentFont>(program, fontObject));
            fontObject += 6;
            index = int(fonts.size()) - 1;
        }
        engines.emplace_back(raw, index);
        return index;
    };
    std::vector<std::vector<int>> markFonts(sheets_.size());
    for (size_t s = 0; s < sheets_.size(); ++s) {
        for (const Mark& mark : sheets_[s]) {
            const auto* glyphs = std::get_if<Glyphs>(&mark);
            if (!glyphs) {
                markFonts[s].push_back(-1);
                continue;
            }
            if (glyphs->run.overline() || glyphs->run.strikeOut())
                return {};
            int index = fontIndex(glyphs->run.rawFont());
            if (index < 0)
                return {};
            markFonts[s].push_back(index);
        }
    }

    QByteArray pdf;
    pdf.reserve(64 * 1024);
    std::vector<qsizetype> offsets(size_t(fontObject), 0);
    auto startObject = [&](int number) {
        offsets[size_t(number)] = pdf.size();
        pdf.append(QByteArray::number(number));
        pdf.append(" 0 obj\n");
    };
    auto appendStream = [&](const QByteArray& dictionary, const QByteArray& data) {
        pdf.append("<<\n/Length ");
        pdf.append(QByteArray::number(data.size()));
        pdf.append('\n');
        pdf.append(dictionary);
        pdf.append(">>\nstream\n");
        pdf.append(data);
        pdf.append("\nendstream\nendobj\n");
    };
    pdf.append("%PDF-1.4\n%\xe2\xe3\xcf\xd3\n");

    char date[32] = "";
    std::time_t now = std::time(nullptr);
    std::tm utc{};
    if (gmtime_r(&now, &utc))
        std::strftime(date, sizeof date, "%Y%m%d%H%M%S", &utc);
    startObject(kInfo);
    pdf.append("<<\n/Creator (Tallyro)\n/Producer (Tallyro)\n/CreationDate (D:");
    pdf.append(date);
    pdf.append("Z)\n>>\nendobj\n");
    startObject(kCatalog);
    pdf.append("<<\n/Type /Catalog\n/Pages 3 0 R\n>>\nendobj\n");
    startObject(kPages);
    pdf.append("<<\n/Type /Pages\n/Kids [");
    for (int s = 0; s < sheetCount; ++s) {
        pdf.append(QByteArray::number(kFirstPage + 2 * s));
        pdf.append(" 0 R ");
    }
    pdf.append("]\n/Count ");
    pdf.append(QByteArray::number(sheetCount));
    pdf.append("\n>>\nendobj\n");
    startObject(kResources);
    pdf.append("<<\n/Font <<");
    for (size_t f = 0; f < fonts.size(); ++f) {
        pdf.append(" /F");
        pdf.append(QByteArray::number(qsizetype(f) + 1));
        pdf.append(' ');
        pdf.append(QByteArray::number(fonts[f]->object));
        pdf.append(" 0 R");
    }
    pdf.append(" >>\n/ProcSet [/PDF /Text]\n>>\nendobj\n");

    QRectF sheet = layout.fullRectPoints();
    QRectF printable = layout.paintRectPoints();
    QByteArray mediaBox = "/MediaBox [0 0 ";
    appendNumber(mediaBox, sheet.width());
    mediaBox.append(' ');
    appendNumber(mediaBox, sheet.height());
    mediaBox.append("]\n");
    // Device dots from the top left corner of the printable area.
    std::string transform;
    appendNumber(transform, 72 / dpi_);
    transform += " 0 0 ";
    appendNumber(transform, -72 / dpi_);
    transform += ' ';
    appendNumber(transform, printable.left());
    transform += ' ';
    appendNumber(transform, sheet.height() - printable.top());
    transform += " cm\n";
    std::string content;
    for (int s = 0; s < sheetCount; ++s) {
        startObject(kFirstPage + 2 * s);
        pdf.append("<<\n/Type /Page\n/Parent 3 0 R\n/Contents ");
        pdf.append(QByteArray::number(kFirstPage + 2 * s + 1));
        pdf.append(" 0 R\n/Resources 4 0 R\n");
        pdf.append(mediaBox);
        pdf.append(">>\nendobj\n");

        content = transform;
        textFont_ = -1;
        penWidth_ = -1;
        penCap_ = -1;
        for (size_t m = 0; m < sheets_[s].size(); ++m) {
            const Mark& mark = sheets_[s][m];
            if (const auto* glyphs = std::get_if<Glyphs>(&mark)) {
                int index = markFonts[s][m];
                writeGlyphs(content, *glyphs, *fonts[size_t(index)], index + 1);
                continue;
            }
            const QLineF& line = std::get<QLineF>(mark);
            // Square ends, 1/96 inch: QPainter's pen for the rules.
            setPen(content, dpi_ / 96, 2);
            appendNumber(content, line.x1());
            content += ' ';
            appendNumber(content, line.y1());
            content += " m ";
            appendNumber(content, line.x2());
            content += ' ';
            appendNumber(content, line.y2());
            content += " l S\n";
        }
        startObject(kFirstPage + 2 * s + 1);
        appendStream("/Filter /FlateDecode\n",
                     compressed(content.data(), qsizetype(content.size()), 3));
    }

    for (auto& font : fonts) {
        const EmbeddedSubset& subset = embeddedSubset(*font);
        int type0 = font->object, cidFont = type0 + 1, descriptor = type0 + 2, file = type0 + 3,
            toUnicode = type0 + 4, cidSet = type0 + 5;
        auto ref = [](int object) { return QByteArray::number(object) + " 0 R"; };

        startObject(type0);
        pdf.append("<< /Type /Font\n/Subtype /Type0\n/BaseFont " + subset.name +
                   "\n/Encoding /Identity-H\n/DescendantFonts [" + ref(cidFont) + "]\n/ToUnicode " +
                   ref(toUnicode) + "\n>>\nendobj\n");
        startObject(cidFont);
        pdf.append("<< /Type /Font\n/Subtype /CIDFontType2\n/BaseFont " + subset.name +
                   "\n/CIDSystemInfo << /Registry (Adobe) /Ordering (Identity) /Supplement 0 "
                   ">>\n/FontDescriptor " +
                   ref(descriptor) + "\n/CIDToGIDMap /Identity\n/W " + subset.widths +
                   "\n>>\nendobj\n");
        startObject(descriptor);
        pdf.append("<< /Type /FontDescriptor\n/FontName " + subset.name + "\n" + subset.descriptor +
                   "/FontFile2 " + ref(file) + "\n/CIDSet " + ref(cidSet) + "\n>>\nendobj\n");
        startObject(file);
        appendStream("/Length1 " + QByteArray::number(subset.programLength) +
                         "\n/Filter /FlateDecode\n",
                     subset.program);
        startObject(toUnicode);
        appendStream({}, subset.toUnicode);
        startObject(cidSet);
        appendStream({}, subset.cidSet);
    }

    qsizetype xref = pdf.size();
    pdf.append("xref\n0 ");
    pdf.append(QByteArray::number(fontObject));
    pdf.append("\n0000000000 65535 f \n");
    for (int object = 1; object < fontObject; ++object) {
        pdf.append(QByteArray::number(offsets[size_t(object)]).rightJustified(10, '0'));
        pdf.append(" 00000 n \n");
    }
    pdf.append("trailer\n<<\n/Size ");
    pdf.append(QByteArray::number(fontObject));
    pdf.append("\n/Info 1 0 R\n/Root 2 0 R\n>>\nstartxref\n");
    pdf.append(QByteArray::number(xref));
    pdf.append("\n%%EOF\n");
    return pdf;
}

// The sheet the page plans were made for, with the margins of the printer
// they were planned on.
void setUpLetterSheets(QPdfWriter& writer) {
    writer.setCreator(QStringLiteral("Tallyro"));
    writer.setResolution(600);
    const double margin = 1.0 / 6;
    writer.setPageLayout(QPageLayout(QPageSize(QPageSize::Letter), QPageLayout::Portrait,
                                     QMarginsF(margin, margin, margin, margin), QPageLayout::Inch));
}

} // namespace

void printToPdf(const QString& path, const PageComposition& compose) {
    // Open the file first, so the teacher hears the system's reason when it
    // cannot be written.
    auto file = std::make_unique<QFile>(path);
    if (!file->open(QIODevice::WriteOnly))
        throw PrintError(file->errorString().toStdString());
    try {
        QByteArray pdf;
        {
            // Qt's writer measures and shapes the text; this writer only
            // writes the sheets out.
            QBuffer unused;
            QPdfWriter measures(&unused);
            setUpLetterSheets(measures);
            PdfSheets sheets(measures.resolution());
            {
                PainterSurface surface(measures, sheets);
                compose(surface);
                surface.endDoc();
            }
            pdf = sheets.write(measures.pageLayout());
            if (pdf.isEmpty()) {
                QBuffer buffer;
                buffer.open(QIODevice::WriteOnly);
                {
                    QPdfWriter writer(&buffer);
                    setUpLetterSheets(writer);
                    PainterInk ink(writer);
                    sheets.replay(ink);
                }
                pdf = tagSubsetFonts(buffer.data());
            }
        }
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
