// The approval e-mail's encoding. Invariants: URLPathEncode gives ASCII only,
// every "%" starts two upper-case hexadecimal digits, and decoding gives the
// text back; the approval URL of any list name has its fixed frame and stays
// within the length mail handlers take.

#include "FuzzCheck.h"
#include "approval/ApprovalMail.h"

#include <QByteArray>
#include <QString>
#include <QUrl>

#include <cstdint>

using namespace corvane;
using namespace Qt::Literals::StringLiterals;

namespace {

bool isUpperHex(QChar c)
{
    return (c >= u'0' && c <= u'9') || (c >= u'A' && c <= u'F');
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QString text = QString::fromUtf8(reinterpret_cast<const char *>(data), qsizetype(size));

    const QString encoded = URLPathEncode(text);
    for (qsizetype i = 0; i < encoded.size(); ++i) {
        FUZZ_CHECK(encoded.at(i).unicode() < 0x80);
        FUZZ_CHECK(encoded.at(i) != u' ');
        if (encoded.at(i) == u'%') {
            FUZZ_CHECK(i + 2 < encoded.size());
            FUZZ_CHECK(isUpperHex(encoded.at(i + 1)) && isUpperHex(encoded.at(i + 2)));
        }
    }
    FUZZ_CHECK(QUrl::fromPercentEncoding(encoded.toLatin1()) == text);

    const ApprovalMessage message = buildApprovalMessage(approvalListName(text));
    FUZZ_CHECK(message.url.startsWith(u"mailto:"_s + message.address + u"?subject="_s));
    FUZZ_CHECK(message.url.endsWith(u"&CC="_s));
    FUZZ_CHECK(fullyEncodedUrl(message.url).size() <= MaxApprovalUrlLength);
    return 0;
}
