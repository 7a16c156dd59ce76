#include "base/encoding.h"

#include <algorithm>
#include <cerrno>
#include <stdexcept>
#include <string>

#include <QStringDecoder>

#include <iconv.h>

namespace {

// One conversion descriptor for the length of one call; glibc's are cheap and not shareable
// between threads.
class Iconv {
public:
    Iconv(const char *to, const char *from) : m_cd(iconv_open(to, from))
    {
        if (m_cd == reinterpret_cast<iconv_t>(-1))
            throw std::runtime_error(std::string("iconv cannot convert from ") + from + " to " + to);
    }
    ~Iconv() { iconv_close(m_cd); }
    Iconv(const Iconv &) = delete;
    Iconv &operator=(const Iconv &) = delete;

    // Converts as much of in as it can into out; returns the errno of the stop, 0 when all done.
    int convert(const char *&in, size_t &inLeft, QByteArray &out)
    {
        const qsizetype before = out.size();
        out.resize(before + qsizetype(inLeft) * 4 + 16);
        char *dst = out.data() + before;
        size_t outLeft = size_t(out.size() - before);
        char *src = const_cast<char *>(in);
        const size_t rc = iconv(m_cd, &src, &inLeft, &dst, &outLeft);
        const int error = rc == size_t(-1) ? errno : 0;
        in = src;
        out.resize(dst - out.constData());
        return error;
    }

private:
    iconv_t m_cd;
};

// Length of the UTF-8 sequence that starts with lead (input from QString::toUtf8, so well-formed).
size_t utf8Length(unsigned char lead)
{
    if (lead < 0x80)
        return 1;
    if (lead >= 0xF0)
        return 4;
    if (lead >= 0xE0)
        return 3;
    return 2;
}

} // namespace

QByteArray toBig5(QStringView text, qsizetype *unmappable)
{
    const QByteArray utf8 = text.toUtf8();
    Iconv cd("CP950", "UTF-8");
    QByteArray out;
    out.reserve(utf8.size() + 16);
    const char *in = utf8.constData();
    size_t inLeft = size_t(utf8.size());
    qsizetype replaced = 0;
    while (inLeft > 0) {
        const int error = cd.convert(in, inLeft, out);
        if (error == 0)
            break;
        if (error == E2BIG)
            continue;
        // EILSEQ: this character has no Big5 form.
        const size_t skip = std::min(inLeft, utf8Length(static_cast<unsigned char>(*in)));
        in += skip;
        inLeft -= skip;
        out += '?';
        ++replaced;
    }
    if (unmappable)
        *unmappable = replaced;
    return out;
}

QString fromBig5(QByteArrayView bytes)
{
    Iconv cd("UTF-8", "CP950");
    QByteArray out;
    const char *in = bytes.data();
    size_t inLeft = size_t(bytes.size());
    while (inLeft > 0) {
        const int error = cd.convert(in, inLeft, out);
        if (error == 0)
            break;
        if (error == E2BIG)
            continue;
        // EILSEQ or a lead byte cut off at the end: replace that one byte and go on, so an
        // ASCII byte after a broken lead byte is read as itself.
        out += "\xEF\xBF\xBD";
        ++in;
        --inLeft;
    }
    return QString::fromUtf8(out);
}

bool isUtf8(QByteArrayView bytes)
{
    // Stateless, so a sequence cut off at the end counts as an error instead of waiting for more.
    QStringDecoder decoder(QStringConverter::Utf8,
                           QStringConverter::Flag::ConvertInitialBom | QStringConverter::Flag::Stateless);
    const QString text = decoder.decode(bytes);
    Q_UNUSED(text);
    return !decoder.hasError();
}
