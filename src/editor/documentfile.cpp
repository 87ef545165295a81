#include "documentfile.h"

#include "editor/codepage.h"
#include "editor/rtfreader.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QStringDecoder>
#include <QTextDocument>

#ifdef Q_OS_WIN
#include <qt_windows.h>
#endif

namespace DocumentFile {

namespace {

const QByteArray Utf8Mark("\xEF\xBB\xBF");

int ansiCodePage()
{
#ifdef Q_OS_WIN
    return int(GetACP());
#else
    return CodePage::Western;
#endif
}

} // namespace

Encoding systemEncoding()
{
#ifdef Q_OS_WIN
    return {ansiCodePage(), false};
#else
    return {CodePage::Utf8, false};
#endif
}

Decoded decode(const QByteArray &bytes)
{
#ifndef Q_OS_WIN
    const bool marked = bytes.startsWith(Utf8Mark);
    const QByteArrayView body = marked ? QByteArrayView(bytes).sliced(Utf8Mark.size()) : bytes;
    QStringDecoder utf8(QStringConverter::Utf8, QStringConverter::Flag::Stateless
                                                    | QStringConverter::Flag::ConvertInitialBom);
    QString text = utf8.decode(body);
    if (!utf8.hasError())
        return {std::move(text), {CodePage::Utf8, marked}};
#endif
    return {CodePage::decode(bytes, ansiCodePage()), {ansiCodePage(), false}};
}

bool isProgram(const QString &path)
{
    return path.endsWith(QLatin1String("com"), Qt::CaseInsensitive)
           || path.endsWith(QLatin1String("exe"), Qt::CaseInsensitive);
}

bool isDocument(const QString &path)
{
    return path.endsWith(QLatin1String(".txt"), Qt::CaseInsensitive)
           || path.endsWith(QLatin1String(".rtf"), Qt::CaseInsensitive);
}

std::optional<QByteArray> read(const QString &path, QString *error)
{
    QFile file(path);
    if (QFileInfo(path).isDir()) {
        *error = QCoreApplication::translate("DocumentFile", "it is a folder");
        return std::nullopt;
    }
    if (!file.open(QIODevice::ReadOnly)) {
        *error = file.errorString();
        return std::nullopt;
    }
    QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError) {
        *error = file.errorString();
        return std::nullopt;
    }
    return bytes;
}

Encoding load(const QByteArray &bytes, QTextDocument &document)
{
    if (Rtf::isMarkup(bytes)) {
        Rtf::load(bytes, document);
        return systemEncoding();
    }
    const Decoded decoded = decode(bytes);
    document.setPlainText(decoded.text);
    document.setModified(false);
    return decoded.encoding;
}

QString plainText(const QTextDocument &document)
{
    // The raw text: a plain one would turn no-break spaces into blanks.
    QString text = document.toRawText();
    text.replace(QChar::ParagraphSeparator, QLatin1String("\r\n"));
    text.replace(QChar::LineSeparator, QLatin1String("\r\n"));
    return text;
}

bool save(const QTextDocument &document, const QString &path, const Encoding &encoding,
          QString *error)
{
    const auto failed = [error](const QString &why) {
        *error = why;
        return false;
    };
    const QFileInfo info(path);
    if (path.isEmpty())
        return failed(
            QCoreApplication::translate("DocumentFile", "no file is chosen in the PC panel"));
    if (info.isDir())
        return failed(QCoreApplication::translate("DocumentFile", "it is a folder"));
    // Saving replaces the file by renaming a new one over it, which the folder would allow: a
    // file marked read-only, or one this user may not write, is refused before that.
    if (info.exists() && (!info.isWritable() || !(info.permissions() & QFileDevice::WriteOwner)))
        return failed(QCoreApplication::translate("DocumentFile", "the file is read-only"));
    const CodePage::Encoded encoded = CodePage::encode(plainText(document), encoding.codePage);
    if (!encoded.complete) {
        return failed(QCoreApplication::translate(
                          "DocumentFile", "the text holds characters that its character set "
                                          "(code page %1) cannot store")
                          .arg(encoding.codePage));
    }
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return failed(file.errorString());
    if (encoding.byteOrderMark)
        file.write(Utf8Mark);
    file.write(encoded.bytes);
    if (!file.commit())
        return failed(file.errorString());
    return true;
}

} // namespace DocumentFile
