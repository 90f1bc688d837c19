#include "developertoken.h"

#include <QJsonDocument>
#include <QJsonObject>

#include <openssl/bio.h>
#include <openssl/bn.h>
#include <openssl/ecdsa.h>
#include <openssl/evp.h>
#include <openssl/pem.h>

#include <memory>

namespace corvane::DeveloperToken {

namespace {
template<typename T, void (*Free)(T *)>
struct Deleter
{
    void operator()(T *p) const { Free(p); }
};
using Key = std::unique_ptr<EVP_PKEY, Deleter<EVP_PKEY, EVP_PKEY_free>>;
using Bio = std::unique_ptr<BIO, Deleter<BIO, BIO_free_all>>;
using DigestContext = std::unique_ptr<EVP_MD_CTX, Deleter<EVP_MD_CTX, EVP_MD_CTX_free>>;
using Signature = std::unique_ptr<ECDSA_SIG, Deleter<ECDSA_SIG, ECDSA_SIG_free>>;
} // namespace

QByteArray base64Url(const QByteArray &bytes)
{
    return bytes.toBase64(QByteArray::Base64UrlEncoding | QByteArray::OmitTrailingEquals);
}

std::optional<QByteArray> mint(const QByteArray &p8, const QString &keyId, const QString &teamId, const QDateTime &issuedAt)
{
    if (keyId.isEmpty() || teamId.isEmpty())
        return std::nullopt;
    Bio bio(BIO_new_mem_buf(p8.constData(), int(p8.size())));
    Key key(bio ? PEM_read_bio_PrivateKey(bio.get(), nullptr, nullptr, nullptr) : nullptr);
    if (!key || EVP_PKEY_get_base_id(key.get()) != EVP_PKEY_EC || EVP_PKEY_get_bits(key.get()) != 256)
        return std::nullopt;

    const QJsonObject header{{QStringLiteral("alg"), QStringLiteral("ES256")}, {QStringLiteral("kid"), keyId}};
    const qint64 iat = issuedAt.toSecsSinceEpoch();
    const QJsonObject claims{{QStringLiteral("iss"), teamId}, {QStringLiteral("iat"), iat}, {QStringLiteral("exp"), iat + lifetimeSeconds}};
    const QByteArray signingInput = base64Url(QJsonDocument(header).toJson(QJsonDocument::Compact)) + '.'
        + base64Url(QJsonDocument(claims).toJson(QJsonDocument::Compact));

    DigestContext context(EVP_MD_CTX_new());
    size_t length = 0;
    if (!context || EVP_DigestSignInit(context.get(), nullptr, EVP_sha256(), nullptr, key.get()) != 1
        || EVP_DigestSign(context.get(), nullptr, &length, reinterpret_cast<const unsigned char *>(signingInput.constData()),
                          size_t(signingInput.size())) != 1)
        return std::nullopt;
    QByteArray der(qsizetype(length), Qt::Uninitialized);
    if (EVP_DigestSign(context.get(), reinterpret_cast<unsigned char *>(der.data()), &length,
                       reinterpret_cast<const unsigned char *>(signingInput.constData()), size_t(signingInput.size())) != 1)
        return std::nullopt;

    // OpenSSL signs in DER; a JWT carries the raw 32-byte r and s one after the other.
    const unsigned char *cursor = reinterpret_cast<const unsigned char *>(der.constData());
    Signature signature(d2i_ECDSA_SIG(nullptr, &cursor, long(length)));
    if (!signature)
        return std::nullopt;
    QByteArray raw(64, '\0');
    if (BN_bn2binpad(ECDSA_SIG_get0_r(signature.get()), reinterpret_cast<unsigned char *>(raw.data()), 32) != 32
        || BN_bn2binpad(ECDSA_SIG_get0_s(signature.get()), reinterpret_cast<unsigned char *>(raw.data()) + 32, 32) != 32)
        return std::nullopt;
    return signingInput + '.' + base64Url(raw);
}

} // namespace corvane::DeveloperToken
