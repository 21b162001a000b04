#include "records/editor/TextDocumentCodec.h"

#include <QPointer>
#include <QTextList>
#include <map>

#include "records/editor/DocumentProperties.h"

#include <QBrush>
#include <QBuffer>
#include <QImage>
#include <QJsonArray>
#include <QMetaEnum>
#include <QPen>
#include <QPixmap>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextFrame>
#include <QTextTable>
#include <QUrl>

#include <cmath>
#include <limits>
#include <set>

namespace qh::records {
namespace {

// Limits that no real record reaches and that keep damaged or hostile files from exhausting
// memory or time: tables within tables, and the table cells of the whole document.
constexpr int kMaxNesting = 6;
constexpr int kMaxDocumentCells = 20000;

// What a value may be for the properties that lay a document out. Beyond these a margin or
// a padding makes Qt's layout run without end, a size exhausts memory; no record written
// in this program comes near them.
struct ValueRange {
    int property;
    double low, high;
};
const ValueRange kValueRanges[] = {
    {QTextFormat::BlockTopMargin, -500, 2000},     {QTextFormat::BlockBottomMargin, -500, 2000},
    {QTextFormat::BlockLeftMargin, -500, 2000},    {QTextFormat::BlockRightMargin, -500, 2000},
    {QTextFormat::TextIndent, -2000, 2000},        {QTextFormat::BlockIndent, 0, 50},
    {QTextFormat::LineHeight, 0, 1000},            {QTextFormat::ListIndent, 0, 50},
    {QTextFormat::FrameBorder, 0, 100},            {QTextFormat::FrameMargin, 0, 2000},
    {QTextFormat::FramePadding, 0, 2000},          {QTextFormat::FrameTopMargin, 0, 2000},
    {QTextFormat::FrameBottomMargin, 0, 2000},     {QTextFormat::FrameLeftMargin, 0, 2000},
    {QTextFormat::FrameRightMargin, 0, 2000},      {QTextFormat::TableCellSpacing, 0, 200},
    {QTextFormat::TableCellPadding, 0, 200},       {QTextFormat::TableCellTopPadding, 0, 200},
    {QTextFormat::TableCellBottomPadding, 0, 200}, {QTextFormat::TableCellLeftPadding, 0, 200},
    {QTextFormat::TableCellRightPadding, 0, 200},  {QTextFormat::TableHeaderRowCount, 0, 1000},
    {QTextFormat::FontPointSize, 1, 400},          {QTextFormat::FontPixelSize, 1, 600},
    {QTextFormat::FontLetterSpacing, -100, 1000},  {QTextFormat::FontWordSpacing, -100, 1000},
    {QTextFormat::FontStretch, 0, 4000},           {QTextFormat::FontWeight, 0, 1000},
    {QTextFormat::ImageWidth, 0, 20000},           {QTextFormat::ImageHeight, 0, 20000},
};
// Any other number a layout property holds stays within this.
constexpr double kMaxPlainNumber = 1e7;

bool saneLength(const QTextLength& l) {
    const double v = l.rawValue();
    if (!std::isfinite(v) || v < 0) return false;
    return l.type() == QTextLength::PercentageLength ? v <= 100 : v <= 20000;
}

// Empty when the value is one the layout can take, else why not.
QString insaneValue(int property, const QVariant& value) {
    const int type = value.metaType().id();
    if (type == QMetaType::fromType<QTextLength>().id())
        return saneLength(value.value<QTextLength>()) ? QString() : QStringLiteral("长度超出范围");
    if (type == QMetaType::QVariantList) {
        for (const QVariant& element : value.toList())
            if (const QString why = insaneValue(property, element); !why.isEmpty()) return why;
        return QString();
    }
    if (type == QMetaType::QPen) {
        const double width = value.value<QPen>().widthF();
        return std::isfinite(width) && width >= 0 && width <= 100 ? QString() : QStringLiteral("线宽超出范围");
    }
    if (type == QMetaType::fromType<QTextOption::Tab>().id()) {
        const double at = value.value<QTextOption::Tab>().position;
        return std::isfinite(at) && at >= 0 && at <= 20000 ? QString() : QStringLiteral("制表位超出范围");
    }
    if (type != QMetaType::Int && type != QMetaType::Double) return QString();
    const double v = value.toDouble();
    for (const ValueRange& r : kValueRanges)
        if (r.property == property) return v >= r.low && v <= r.high ? QString() : QStringLiteral("数值超出范围");
    return std::abs(v) <= kMaxPlainNumber ? QString() : QStringLiteral("数值超出范围");
}

const std::pair<int, const char*> kOwnProperties[] = {
    {AliasProperty, "qhAlias"},
    {RevisionKindProperty, "qhRevisionKind"},
    {RevisionAuthorProperty, "qhRevisionAuthor"},
    {RevisionTimeProperty, "qhRevisionTime"},
    {SavedForegroundProperty, "qhSavedForeground"},
    {SavedUnderlineStyleProperty, "qhSavedUnderlineStyle"},
    {SavedUnderlineColorProperty, "qhSavedUnderlineColor"},
    {SavedStrikeOutProperty, "qhSavedStrikeOut"},
    {SavedFontUnderlineProperty, "qhSavedFontUnderline"},
};

QString propertyName(int id) {
    for (const auto& [own, name] : kOwnProperties)
        if (own == id) return QString::fromLatin1(name);
    const char* key = QMetaEnum::fromType<QTextFormat::Property>().valueToKey(id);
    if (key) return QString::fromLatin1(key);
    return QStringLiteral("0x") + QString::number(id, 16);
}

// -1 for names this version does not know: such properties are skipped on reading.
int propertyId(const QString& name) {
    for (const auto& [own, ownName] : kOwnProperties)
        if (name == QLatin1String(ownName)) return own;
    if (name.startsWith(QLatin1String("0x"))) {
        bool ok = false;
        int id = name.mid(2).toInt(&ok, 16);
        return ok && id > 0 ? id : -1;
    }
    bool ok = false;
    int id = QMetaEnum::fromType<QTextFormat::Property>().keyToValue(name.toLatin1().constData(), &ok);
    return ok && id > 0 ? id : -1;
}

QString colorText(const QColor& c) { return c.name(QColor::HexArgb); }

QJsonObject encodeLength(const QTextLength& l) {
    return QJsonObject{{"length", l.rawValue()}, {"type", int(l.type())}};
}

QJsonValue encodeValue(const QVariant& v) {
    const int type = v.metaType().id();
    switch (type) {
    case QMetaType::Bool: return v.toBool();
    case QMetaType::Int:
    case QMetaType::UInt:
    case QMetaType::LongLong:
    case QMetaType::ULongLong: return v.toLongLong();
    case QMetaType::Double:
    case QMetaType::Float: return QJsonObject{{"real", v.toDouble()}};
    case QMetaType::QString: return v.toString();
    case QMetaType::QStringList: return QJsonObject{{"strings", QJsonArray::fromStringList(v.toStringList())}};
    case QMetaType::QColor: return QJsonObject{{"color", colorText(v.value<QColor>())}};
    case QMetaType::QBrush: {
        QBrush b = v.value<QBrush>();
        if (b.style() > Qt::DiagCrossPattern) return QJsonValue::Undefined;  // gradients, textures
        return QJsonObject{{"brush", colorText(b.color())}, {"style", int(b.style())}};
    }
    case QMetaType::QPen: {
        QPen p = v.value<QPen>();
        return QJsonObject{{"pen", colorText(p.color())}, {"width", p.widthF()}, {"style", int(p.style())}};
    }
    default: break;
    }
    if (type == QMetaType::fromType<QTextLength>().id()) return encodeLength(v.value<QTextLength>());
    if (type == QMetaType::fromType<QTextOption::Tab>().id()) {
        const auto t = v.value<QTextOption::Tab>();
        return QJsonObject{{"tab", t.position}, {"type", int(t.type)}, {"delimiter", QString(t.delimiter)}};
    }
    if (type == QMetaType::QVariantList) {  // column widths and tab stops are kept as lists
        QJsonArray list;
        for (const QVariant& element : v.toList()) {
            QJsonValue encoded = encodeValue(element);
            if (encoded.isUndefined()) return QJsonValue::Undefined;
            list.append(encoded);
        }
        return QJsonObject{{"list", list}};
    }
    if (v.metaType().flags() & QMetaType::IsEnumeration) return v.toLongLong();
    return QJsonValue::Undefined;  // a property kind the format does not carry
}

bool decodeColor(const QJsonValue& v, QColor* out) {
    QColor c = QColor::fromString(v.toString());
    if (!c.isValid()) return false;
    *out = c;
    return true;
}

QTextLength decodeLength(const QJsonObject& o) {
    int type = o.value("type").toInt();
    if (type < QTextLength::VariableLength || type > QTextLength::PercentageLength) type = QTextLength::FixedLength;
    return QTextLength(QTextLength::Type(type), o.value("length").toDouble());
}

bool decodeValue(const QJsonValue& v, QVariant* out) {
    if (v.isBool()) {
        *out = v.toBool();
    } else if (v.isDouble()) {
        // A whole number beyond int is no value a format holds (and casting it is undefined).
        const double d = v.toDouble();
        if (!std::isfinite(d) || d < double(std::numeric_limits<int>::min()) || d > double(std::numeric_limits<int>::max()))
            return false;
        *out = int(d);
    } else if (v.isString()) {
        *out = v.toString();
    } else if (v.isObject()) {
        QJsonObject o = v.toObject();
        if (o.contains("real")) {
            if (!std::isfinite(o.value("real").toDouble())) return false;
            *out = o.value("real").toDouble();
        } else if (o.contains("strings")) {
            *out = o.value("strings").toVariant().toStringList();
        } else if (o.contains("color")) {
            QColor c;
            if (!decodeColor(o.value("color"), &c)) return false;
            *out = c;
        } else if (o.contains("brush")) {
            QColor c;
            if (!decodeColor(o.value("brush"), &c)) return false;
            int style = o.value("style").toInt(Qt::SolidPattern);
            if (style < Qt::NoBrush || style > Qt::DiagCrossPattern) return false;
            *out = QBrush(c, Qt::BrushStyle(style));
        } else if (o.contains("pen")) {
            QColor c;
            if (!decodeColor(o.value("pen"), &c)) return false;
            int style = o.value("style").toInt(Qt::SolidLine);
            if (style < Qt::NoPen || style > Qt::DashDotDotLine) return false;
            *out = QPen(QBrush(c), o.value("width").toDouble(), Qt::PenStyle(style));
        } else if (o.contains("length")) {
            *out = QVariant::fromValue(decodeLength(o));
        } else if (o.contains("tab")) {
            int type = qBound(0, o.value("type").toInt(), int(QTextOption::DelimiterTab));
            QString delimiter = o.value("delimiter").toString();
            *out = QVariant::fromValue(QTextOption::Tab(o.value("tab").toDouble(), QTextOption::TabType(type),
                                                        delimiter.isEmpty() ? QChar() : delimiter.at(0)));
        } else if (o.contains("list")) {
            QVariantList list;
            for (const QJsonValue& element : o.value("list").toArray()) {
                QVariant decoded;
                if (element.isArray() || element.toObject().contains("list") || !decodeValue(element, &decoded))
                    return false;  // lists hold plain values only: no nesting to recurse through
                list.append(decoded);
            }
            *out = list;
        } else {
            return false;
        }
    } else {
        return false;
    }
    return true;
}

QJsonObject encodeFormat(const QTextFormat& format, std::initializer_list<int> skip = {}) {
    QJsonObject out;
    const auto properties = format.properties();
    for (auto it = properties.cbegin(); it != properties.cend(); ++it) {
        if (it.key() == QTextFormat::ObjectIndex) continue;  // ties a format to a live object
        if (std::find(skip.begin(), skip.end(), it.key()) != skip.end()) continue;
        QJsonValue value = encodeValue(it.value());
        if (!value.isUndefined()) out.insert(propertyName(it.key()), value);
    }
    return out;
}

bool decodeFormat(const QJsonValue& tree, QTextFormat* format, QString* error) {
    if (!tree.isUndefined() && !tree.isObject()) {
        *error = QStringLiteral("格式描述不是对象");
        return false;
    }
    const QJsonObject o = tree.toObject();
    for (auto it = o.begin(); it != o.end(); ++it) {
        int id = propertyId(it.key());
        if (id < 0) continue;  // written by a later version: ignored, the rest still loads
        QVariant value;
        if (!decodeValue(it.value(), &value)) {
            *error = QStringLiteral("格式属性“%1”的值无效").arg(it.key());
            return false;
        }
        if (const QString why = insaneValue(id, value); !why.isEmpty()) {
            *error = QStringLiteral("格式属性“%1”%2").arg(it.key(), why);
            return false;
        }
        format->setProperty(id, value);
    }
    return true;
}

// Text of a run as the document may hold it: no paragraph or frame markers, which only the
// structure itself may create.
QString sanitizedRunText(QString text) {
    for (QChar& ch : text) {
        const char16_t u = ch.unicode();
        if (u == u'\n' || u == u'\r' || u == 0x2029 || u == 0xFDD0 || u == 0xFDD1 || u == 0xFDEF)
            ch = QChar(QChar::LineSeparator);
    }
    return text;
}

class Encoder {
public:
    explicit Encoder(const QTextDocument* doc) : doc_(doc) {}

    QJsonObject run() {
        QJsonObject tree;
        tree["defaultFont"] = doc_->defaultFont().toString();
        tree["rootFrame"] = encodeFormat(doc_->rootFrame()->frameFormat());
        QTextFrame* root = doc_->rootFrame();
        tree["content"] = items(root->begin(), root->end(), true);
        QJsonObject images;
        for (const QString& name : imageNames_) {
            QByteArray png = imagePng(name);
            if (!png.isEmpty()) images.insert(name, QString::fromLatin1(png.toBase64()));
        }
        tree["images"] = images;
        return tree;
    }

private:
    QJsonArray items(QTextFrame::iterator it, QTextFrame::iterator end, bool firstBlockOwnsMarker) {
        QJsonArray out;
        bool blockCharIsOwn = firstBlockOwnsMarker;
        for (; it != end; ++it) {
            if (QTextFrame* frame = it.currentFrame()) {
                if (auto* table = qobject_cast<QTextTable*>(frame))
                    out.append(encodeTable(table));
                else
                    out.append(QJsonObject{{"frame", encodeFormat(frame->frameFormat())},
                                           {"content", items(frame->begin(), frame->end(), false)}});
                blockCharIsOwn = false;  // the next block starts at the frame's end marker
            } else if (it.currentBlock().isValid()) {
                out.append(encodeBlock(it.currentBlock(), blockCharIsOwn));
                blockCharIsOwn = true;
            }
        }
        return out;
    }

    QJsonObject encodeBlock(const QTextBlock& block, bool withBlockChar) {
        QJsonObject out;
        out["block"] = encodeFormat(block.blockFormat());
        if (withBlockChar) out["blockChar"] = encodeFormat(block.charFormat());
        // A numbered or bulleted paragraph names its list; the list's format travels with
        // its first paragraph, and the numbering follows from the paragraphs that share it.
        if (QTextList* list = block.textList()) {
            auto [it, isNew] = listIds_.try_emplace(list, int(listIds_.size()) + 1);
            QJsonObject entry{{"id", it->second}};
            if (isNew) entry["format"] = encodeFormat(list->format());
            out["list"] = entry;
        }
        QJsonArray runs;
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            QTextFragment fragment = it.fragment();
            QTextCharFormat format = fragment.charFormat();
            if (format.isImageFormat()) imageNames_.insert(format.toImageFormat().name());
            runs.append(QJsonObject{{"text", fragment.text()}, {"format", encodeFormat(format)}});
        }
        out["runs"] = runs;
        return out;
    }

    QJsonObject encodeTable(QTextTable* table) {
        QJsonArray cells;
        for (int r = 0; r < table->rows(); ++r) {
            for (int c = 0; c < table->columns(); ++c) {
                QTextTableCell cell = table->cellAt(r, c);
                if (cell.row() != r || cell.column() != c) continue;
                cells.append(QJsonObject{
                    {"row", r},
                    {"column", c},
                    {"rowSpan", cell.rowSpan()},
                    {"columnSpan", cell.columnSpan()},
                    {"format", encodeFormat(cell.format(), {QTextFormat::ObjectType, QTextFormat::TableCellRowSpan,
                                                            QTextFormat::TableCellColumnSpan})},
                    {"content", items(cell.begin(), cell.end(), false)},
                });
            }
        }
        return QJsonObject{{"table", encodeFormat(table->format())},
                           {"rows", table->rows()},
                           {"columns", table->columns()},
                           {"cells", cells}};
    }

    QByteArray imagePng(const QString& name) const {
        QVariant data = doc_->resource(QTextDocument::ImageResource, QUrl(name));
        QImage image;
        if (data.metaType().id() == QMetaType::QImage)
            image = data.value<QImage>();
        else if (data.metaType().id() == QMetaType::QPixmap)
            image = data.value<QPixmap>().toImage();
        else if (data.metaType().id() == QMetaType::QByteArray)
            image.loadFromData(data.toByteArray());
        if (image.isNull()) return {};
        QByteArray png;
        QBuffer buffer(&png);
        buffer.open(QIODevice::WriteOnly);
        image.save(&buffer, "PNG");
        return png;
    }

    const QTextDocument* doc_;
    std::set<QString> imageNames_;
    std::map<const QTextList*, int> listIds_;
};

class Decoder {
public:
    Decoder(QTextDocument* doc, QString* error) : doc_(doc), error_(error) {}

    bool run(const QJsonObject& tree) {
        if (!tree.value("content").isArray()) return fail(QStringLiteral("缺少文档内容"));
        QFont font = doc_->defaultFont();
        if (tree.value("defaultFont").isString() && font.fromString(tree.value("defaultFont").toString()))
            doc_->setDefaultFont(font);
        QTextFrameFormat root = doc_->rootFrame()->frameFormat();
        if (!decodeFormat(tree.value("rootFrame"), &root, error_)) return false;
        doc_->rootFrame()->setFrameFormat(root);
        // Images first, so that no image is ever looked up anywhere but in the document.
        const QJsonObject images = tree.value("images").toObject();
        for (auto it = images.begin(); it != images.end(); ++it) {
            QImage image;
            if (!image.loadFromData(QByteArray::fromBase64(it.value().toString().toLatin1()), "PNG"))
                return fail(QStringLiteral("图片“%1”已损坏").arg(it.key()));
            doc_->addResource(QTextDocument::ImageResource, QUrl(it.key()), image);
            imageNames_.insert(it.key());
        }
        QTextCursor cursor(doc_);
        return items(tree.value("content").toArray(), cursor, true, 0);
    }

private:
    bool fail(const QString& why) {
        *error_ = why;
        return false;
    }

    // The cursor stands in an empty block that the first item describes.
    bool items(const QJsonArray& list, QTextCursor& cursor, bool firstBlockOwnsMarker, int depth) {
        if (depth > kMaxNesting) return fail(QStringLiteral("表格嵌套过深"));
        bool fresh = true;
        bool blockCharIsOwn = firstBlockOwnsMarker;
        for (const QJsonValue& value : list) {
            if (!value.isObject()) return fail(QStringLiteral("文档内容项不是对象"));
            const QJsonObject item = value.toObject();
            if (item.contains("runs")) {
                if (!block(item, cursor, fresh, blockCharIsOwn)) return false;
                fresh = false;
                blockCharIsOwn = true;
            } else if (item.contains("table") || item.contains("frame")) {
                // A list that starts with a frame is damaged, but harmless: the frame goes
                // after the empty paragraph the cursor stands in, as every frame must.
                QTextFrame* frame = item.contains("table") ? table(item, cursor, depth) : plainFrame(item, cursor, depth);
                if (!frame) return false;
                cursor.setPosition(frame->lastPosition() + 1);
                fresh = true;
                blockCharIsOwn = false;
            } else {
                return fail(QStringLiteral("未知的文档内容项"));
            }
        }
        return true;
    }

    bool block(const QJsonObject& item, QTextCursor& cursor, bool fresh, bool withBlockChar) {
        QTextBlockFormat blockFormat;
        if (!decodeFormat(item.value("block"), &blockFormat, error_)) return false;
        QTextCharFormat blockChar;
        if (!decodeFormat(item.value("blockChar"), &blockChar, error_)) return false;
        if (fresh) {
            cursor.setBlockFormat(blockFormat);
            if (withBlockChar && item.contains("blockChar")) cursor.setBlockCharFormat(blockChar);
        } else {
            cursor.insertBlock(blockFormat, blockChar);
        }
        if (item.contains("list") && !joinList(item.value("list").toObject(), cursor)) return false;
        if (!item.value("runs").isArray()) return fail(QStringLiteral("段落缺少文字"));
        for (const QJsonValue& runValue : item.value("runs").toArray()) {
            const QJsonObject run = runValue.toObject();
            QTextCharFormat format;
            if (!decodeFormat(run.value("format"), &format, error_)) return false;
            format.clearProperty(QTextFormat::ObjectIndex);
            QString text = sanitizedRunText(run.value("text").toString());
            if (text.isEmpty()) continue;
            if (format.objectType() != QTextFormat::NoObject && format.objectType() != QTextFormat::ImageObject)
                format.clearProperty(QTextFormat::ObjectType);
            // An image is one of the document's own: any other name would make Qt read that
            // path from the disk while laying out or saving.
            if (format.isImageFormat() && !imageNames_.count(format.toImageFormat().name()))
                return fail(QStringLiteral("图片“%1”不在文档中").arg(format.toImageFormat().name()));
            cursor.insertText(text, format);
        }
        return true;
    }

    bool joinList(const QJsonObject& entry, QTextCursor& cursor) {
        const int id = entry.value("id").toInt();
        if (id <= 0) return fail(QStringLiteral("列表编号无效"));
        const auto known = lists_.find(id);
        if (known != lists_.end() && known->second) {
            known->second->add(cursor.block());
            return true;
        }
        QTextListFormat format;
        if (!decodeFormat(entry.value("format"), &format, error_)) return false;
        format.setObjectType(QTextFormat::NoObject);
        if (format.style() == QTextListFormat::ListStyleUndefined) format.setStyle(QTextListFormat::ListDecimal);
        lists_[id] = cursor.createList(format);
        return true;
    }

    QTextFrame* plainFrame(const QJsonObject& item, QTextCursor& cursor, int depth) {
        QTextFrameFormat format;
        if (!decodeFormat(item.value("frame"), &format, error_)) return nullptr;
        format.clearProperty(QTextFormat::ObjectType);  // a plain frame, never a table in disguise
        QTextFrame* frame = cursor.insertFrame(format);
        QTextCursor inner = frame->firstCursorPosition();
        if (!items(item.value("content").toArray(), inner, false, depth + 1)) return nullptr;
        return frame;
    }

    QTextFrame* table(const QJsonObject& item, QTextCursor& cursor, int depth) {
        const int rows = item.value("rows").toInt();
        const int columns = item.value("columns").toInt();
        if (rows < 1 || columns < 1 || qint64(rows) * columns > kMaxDocumentCells - cells_) {
            fail(rows < 1 || columns < 1 ? QStringLiteral("表格行列数无效")
                                         : QStringLiteral("文档的表格过大（超过%1个单元格）").arg(kMaxDocumentCells));
            return nullptr;
        }
        cells_ += rows * columns;
        QTextTableFormat format;
        if (!decodeFormat(item.value("table"), &format, error_)) return nullptr;
        // Header rows repeat on every page: more of them than the table has rows crashes the
        // layout, as many as it has leaves no room for a body.
        if (format.headerRowCount() >= rows && format.headerRowCount() > 0) {
            fail(QStringLiteral("表格标题行数无效"));
            return nullptr;
        }
        format.setObjectType(QTextFormat::TableObject);  // whatever the file says, this is a table
        format.setColumns(columns);
        QTextTable* table = cursor.insertTable(rows, columns, format);
        const QJsonArray cells = item.value("cells").toArray();
        for (const QJsonValue& v : cells) {
            const QJsonObject cell = v.toObject();
            int r = cell.value("row").toInt(-1), c = cell.value("column").toInt(-1);
            int rs = cell.value("rowSpan").toInt(1), cs = cell.value("columnSpan").toInt(1);
            if (r < 0 || c < 0 || rs < 1 || cs < 1 || r + rs > rows || c + cs > columns) {
                fail(QStringLiteral("表格单元格位置无效"));
                return nullptr;
            }
            if (rs > 1 || cs > 1) table->mergeCells(r, c, rs, cs);
        }
        for (const QJsonValue& v : cells) {
            const QJsonObject cell = v.toObject();
            QTextTableCell target = table->cellAt(cell.value("row").toInt(), cell.value("column").toInt());
            if (target.row() != cell.value("row").toInt() || target.column() != cell.value("column").toInt())
                continue;  // covered by an overlapping merge in a damaged file
            QTextCharFormat cellFormat;
            if (!decodeFormat(cell.value("format"), &cellFormat, error_)) return nullptr;
            QTextCursor inner = target.firstCursorPosition();
            if (!items(cell.value("content").toArray(), inner, false, depth + 1)) return nullptr;
            target.setFormat(cellFormat);
        }
        return table;
    }

    QTextDocument* doc_;
    QString* error_;
    std::map<int, QPointer<QTextList>> lists_;
    std::set<QString> imageNames_;  // the images the document carries
    qint64 cells_ = 0;              // table cells so far
};

}  // namespace

QJsonObject encodeTextDocument(const QTextDocument* doc) { return Encoder(doc).run(); }

bool decodeTextDocument(const QJsonObject& tree, QTextDocument* doc, QString* error) {
    return Decoder(doc, error).run(tree);
}

}  // namespace qh::records
