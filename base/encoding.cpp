#include "base/encoding.h"

#include <cerrno>
#include <cstring>
#include <stdexcept>
#include <string>

#include <QList>

#include <iconv.h>

namespace {

// One conversion descriptor for the length of a call; it is not shared between threads.
class Converter {
public:
    Converter(const char *to, const char *from)
        : m_cd(iconv_open(to, from))
    {
        if (m_cd == reinterpret_cast<iconv_t>(-1))
            throw std::runtime_error(std::string("iconv cannot convert from ") + from + " to " + to);
    }
    ~Converter() { iconv_close(m_cd); }
    Converter(const Converter &) = delete;
    Converter &operator=(const Converter &) = delete;

    // Converts in one pass; on a sequence the target cannot take, calls onError with the input
    // position, which returns how many input bytes to skip after it has written its replacement.
    template <typename OnError>
    QByteArray convert(const QByteArray &input, OnError onError)
    {
        QByteArray out(qMax<qsizetype>(16, input.size()), Qt::Uninitialized);
        char *in = const_cast<char *>(input.constData());
        size_t inLeft = size_t(input.size());
        qsizetype used = 0;
        while (inLeft > 0) {
            char *dst = out.data() + used;
            size_t outLeft = size_t(out.size() - used);
            const size_t rc = iconv(m_cd, &in, &inLeft, &dst, &outLeft);
            used = out.size() - qsizetype(outLeft);
            if (rc != size_t(-1))
                break;
            if (errno == E2BIG) {
                out.resize(out.size() * 2);
                continue;
            }
            // EILSEQ or EINVAL (a sequence cut short at the end): replace and go on after it.
            const size_t skip = qMin(inLeft, onError(out, used));
            in += skip;
            inLeft -= skip;
            iconv(m_cd, nullptr, nullptr, nullptr, nullptr);
        }
        out.resize(used);
        return out;
    }

private:
    iconv_t m_cd;
};

void append(QByteArray &out, qsizetype &used, const char *bytes, qsizetype count)
{
    if (out.size() < used + count)
        out.resize((used + count) * 2);
    memcpy(out.data() + used, bytes, size_t(count));
    used += count;
}

QByteArray utf32le(const QString &text)
{
    const QList<uint> codes = text.toUcs4();
    QByteArray bytes(codes.size() * 4, Qt::Uninitialized);
    for (qsizetype i = 0; i < codes.size(); ++i) {
        const uint c = codes[i];
        bytes[4 * i] = char(c & 0xFF);
        bytes[4 * i + 1] = char((c >> 8) & 0xFF);
        bytes[4 * i + 2] = char((c >> 16) & 0xFF);
        bytes[4 * i + 3] = char((c >> 24) & 0xFF);
    }
    return bytes;
}

}  // namespace

QByteArray toBig5(const QString &text, int *unmappable)
{
    // A plain iconv call stops at the first character CP950 lacks; each such character is
    // replaced on its own, as Windows does, and the rest of the text still converts.
    int missing = 0;
    Converter converter("CP950", "UTF-32LE");
    const QByteArray result = converter.convert(utf32le(text), [&](QByteArray &out, qsizetype &used) {
        ++missing;
        append(out, used, "?", 1);
        return size_t(4);
    });
    if (unmappable)
        *unmappable = missing;
    return result;
}

QString fromBig5(const QByteArray &bytes)
{
    Converter converter("UTF-8", "CP950");
    const QByteArray utf8 = converter.convert(bytes, [](QByteArray &out, qsizetype &used) {
        append(out, used, "\xEF\xBF\xBD", 3);
        return size_t(1);
    });
    return QString::fromUtf8(utf8);
}
