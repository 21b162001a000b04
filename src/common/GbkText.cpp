#include "common/GbkText.h"

#include <QList>
#include <QSysInfo>
#include <QtGlobal>
#include <algorithm>
#include <vector>

#ifdef Q_OS_WIN
#include <windows.h>
#else
#include <cerrno>
#include <iconv.h>
#endif

namespace qh::text {
namespace {

#ifdef Q_OS_WIN
// Windows: code page 936 is the system's own GBK; characters it lacks become '?'.
constexpr UINT kGbkCodePage = 936;

QByteArray encodeGbk(const QString& s) {
    if (s.isEmpty()) return {};
    const auto* wide = reinterpret_cast<const wchar_t*>(s.utf16());
    const int n = WideCharToMultiByte(kGbkCodePage, 0, wide, int(s.size()), nullptr, 0, nullptr, nullptr);
    QByteArray out(n, Qt::Uninitialized);
    WideCharToMultiByte(kGbkCodePage, 0, wide, int(s.size()), out.data(), n, nullptr, nullptr);
    return out;
}

QString decodeGbk(const QByteArray& bytes) {
    if (bytes.isEmpty()) return {};
    const int n = MultiByteToWideChar(kGbkCodePage, 0, bytes.constData(), int(bytes.size()), nullptr, 0);
    QString out(n, Qt::Uninitialized);
    MultiByteToWideChar(kGbkCodePage, 0, bytes.constData(), int(bytes.size()),
                        reinterpret_cast<wchar_t*>(out.data()), n);
    return out;
}
#else
// Elsewhere iconv converts; the text goes through UTF-32 in host byte order so that a
// character the code page lacks can be skipped whole and written as '?', as Windows does.
const char* utf32Name() {
    return QSysInfo::ByteOrder == QSysInfo::LittleEndian ? "UTF-32LE" : "UTF-32BE";
}

class Iconv {
public:
    Iconv(const char* to, const char* from) : cd_(iconv_open(to, from)) {
        if (cd_ == reinterpret_cast<iconv_t>(-1)) qFatal("iconv cannot convert from %s to %s", from, to);
    }
    ~Iconv() { iconv_close(cd_); }
    Iconv(const Iconv&) = delete;
    Iconv& operator=(const Iconv&) = delete;

    // Converts in, calling onBadInput(in, left) whenever iconv stops at input it cannot take;
    // the callback returns how many input bytes to skip and appends its own substitute.
    template <typename OnBad>
    std::vector<char> run(const char* in, size_t left, size_t outPerIn, OnBad onBadInput) {
        iconv(cd_, nullptr, nullptr, nullptr, nullptr);
        std::vector<char> out(left * outPerIn + 16);
        size_t used = 0;
        auto* src = const_cast<char*>(in);
        while (left > 0) {
            char* dst = out.data() + used;
            size_t room = out.size() - used;
            const size_t rc = iconv(cd_, &src, &left, &dst, &room);
            used = out.size() - room;
            if (rc != size_t(-1)) break;
            if (errno == E2BIG) {
                out.resize(out.size() * 2);
            } else {  // EILSEQ or EINVAL: the input at src cannot be converted
                out.resize(used);
                const size_t skip = std::min(left, onBadInput(src, left, out));
                used = out.size();
                out.resize(used + left * outPerIn + 16);
                src += skip;
                left -= skip;
            }
        }
        out.resize(used);
        return out;
    }

private:
    iconv_t cd_;
};

QByteArray encodeGbk(const QString& s) {
    thread_local Iconv toGbk("GBK", utf32Name());
    const QList<uint> ucs4 = s.toUcs4();
    const auto out = toGbk.run(reinterpret_cast<const char*>(ucs4.constData()), ucs4.size() * 4, 1,
                               [](const char*, size_t, std::vector<char>& o) {
                                   o.push_back('?');
                                   return size_t(4);
                               });
    return QByteArray(out.data(), qsizetype(out.size()));
}

QString decodeGbk(const QByteArray& bytes) {
    thread_local Iconv fromGbk(utf32Name(), "GBK");
    const auto out = fromGbk.run(bytes.constData(), size_t(bytes.size()), 4,
                                 [](const char*, size_t, std::vector<char>& o) {
                                     const char32_t replacement = 0xFFFD;
                                     const auto* p = reinterpret_cast<const char*>(&replacement);
                                     o.insert(o.end(), p, p + 4);
                                     return size_t(1);
                                 });
    return QString::fromUcs4(reinterpret_cast<const char32_t*>(out.data()), qsizetype(out.size() / 4));
}
#endif

// GBK lead bytes 0x81-0xFE start a two-byte character; everything else is one byte.
int gbkCharBytes(char lead) { return static_cast<unsigned char>(lead) >= 0x81 ? 2 : 1; }

// Code points of s in order (a surrogate pair is one), with the QString length of each.
int codePointLength(const QString& s, qsizetype i) {
    return (s[i].isHighSurrogate() && i + 1 < s.size() && s[i + 1].isLowSurrogate()) ? 2 : 1;
}

}  // namespace

QByteArray toGbk(const QString& s) { return encodeGbk(s); }

QString fromGbk(const QByteArray& bytes) { return decodeGbk(bytes); }

int gbkLength(const QString& s) { return int(encodeGbk(s).size()); }

QString padToBytes(const QString& s, int n) {
    const int length = gbkLength(s);
    return length >= n ? s : s + QString(n - length, QLatin1Char(' '));
}

QString cutToBytes(const QString& s, int n) {
    // Every code point becomes exactly one GBK character (or '?'), so the two walk in step.
    const QByteArray bytes = encodeGbk(s);
    qsizetype byte = 0, chars = 0;
    while (chars < s.size() && byte < bytes.size()) {
        const int width = gbkCharBytes(bytes[byte]);
        if (byte + width > n) break;
        byte += width;
        chars += codePointLength(s, chars);
    }
    return s.left(chars);
}

}  // namespace qh::text
