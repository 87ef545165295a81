#include "documentfile.h"

#include "common/documentsize.h"
#include "common/pathtext.h"
#include "editor/framemarks.h"
#include "editor/replacementfile.h"
#include "editor/rtfreader.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QStringEncoder>
#include <QTextDocument>

#include <algorithm>
#include <optional>

#ifndef Q_OS_WIN
#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <system_error>
#include <unistd.h>
#endif

namespace DocumentFile {

namespace {

// Text is encoded in pieces of at most this many characters and written once this many bytes
// gathered, so that a large document needs no second copy of itself in memory.
constexpr qsizetype Piece = 1 << 16;
constexpr qsizetype WriteAt = 1 << 20;

// Why a write to the file failed, in the user's words.
QString writeFailure(const QFileDevice &file)
{
    if (file.error() == QFileDevice::ResourceError)
        return QCoreApplication::translate("DocumentFile", "the disk is full");
    if (file.error() == QFileDevice::NoError || file.errorString().isEmpty())
        return QCoreApplication::translate("DocumentFile", "not all of the text could be written");
    return file.errorString();
}

// Writes every byte, or fails: a short write goes on with the rest, whose write then says why
// it failed.
bool writeAll(QFileDevice &file, QByteArrayView bytes)
{
    while (!bytes.isEmpty()) {
        const qint64 written = file.write(bytes.data(), bytes.size());
        if (written <= 0)
            return false;
        bytes = bytes.sliced(written);
    }
    return true;
}

// Where the paragraph marks and line breaks of a text are, each kind found by a fast search
// and searched again only once passed, so that finding all of them takes one pass.
class Breaks
{
public:
    explicit Breaks(QStringView text)
        : m_text(text)
    {}

    // The next break at or after the position, or the text's end.
    qsizetype next(qsizetype from)
    {
        if (m_paragraph < from)
            m_paragraph = find(QChar::ParagraphSeparator, from);
        if (m_line < from)
            m_line = find(QChar::LineSeparator, from);
        return std::min(m_paragraph, m_line);
    }

private:
    qsizetype find(QChar c, qsizetype from) const
    {
        const qsizetype at = m_text.indexOf(c, from);
        return at < 0 ? m_text.size() : at;
    }

    QStringView m_text;
    qsizetype m_paragraph = -1;
    qsizetype m_line = -1;
};

// Encodes text into the file as it comes and writes it on in large pieces; the first failure
// ends the writing and is kept. Text is given in whole characters, never half a pair.
class TextWriter
{
public:
    TextWriter(QFileDevice &file, const CodePage::Encoding &encoding)
        : m_file(file)
        , m_codePage(encoding.codePage)
        , m_bytes(WriteAt + 3 * Piece + 16, Qt::Uninitialized)
    {
        if (m_codePage == CodePage::Utf8)
            m_utf8.emplace(QStringEncoder::Utf8, QStringConverter::Flag::Stateless);
        if (encoding.byteOrderMark)
            put(CodePage::byteOrderMark(m_codePage));
    }

    void append(QStringView text)
    {
        if (m_failure)
            return;
        if (m_utf8) {
            // Straight into the bytes: UTF-8 needs no piece of text of its own.
            room(m_utf8->requiredSpace(text.size()));
            m_used = m_utf8->appendToBuffer(m_bytes.data() + m_used, text) - m_bytes.data();
            if (m_utf8->hasError())
                failCharacters();
        } else {
            m_text.append(text);
            if (m_text.size() >= Piece)
                encode();
        }
        if (m_used >= WriteAt)
            write();
    }

    void lineEnd()
    {
        if (m_utf8)
            put("\r\n");
        else
            append(u"\r\n");
    }

    // Writes what is left; fails when not every character was written.
    Status finish()
    {
        encode();
        write();
        if (m_failure)
            return Failure{*m_failure};
        return {};
    }

private:
    // Makes room for that many more bytes, beyond the usual only for a piece of wide
    // characters.
    void room(qsizetype bytes)
    {
        if (m_used + bytes > m_bytes.size())
            m_bytes.resize(m_used + bytes);
    }

    void put(QByteArrayView bytes)
    {
        room(bytes.size());
        std::copy(bytes.begin(), bytes.end(), m_bytes.begin() + m_used);
        m_used += bytes.size();
    }

    void encode()
    {
        if (m_text.isEmpty())
            return;
        if (!m_failure) {
            const CodePage::Encoded encoded = CodePage::encode(m_text, m_codePage);
            if (!encoded.complete)
                failCharacters();
            put(encoded.bytes);
        }
        m_text.resize(0); // keeps its memory for the next piece
    }

    void write()
    {
        if (!m_failure && !writeAll(m_file, QByteArrayView(m_bytes).first(m_used)))
            m_failure = writeFailure(m_file);
        m_used = 0;
    }

    void failCharacters()
    {
        m_failure = QCoreApplication::translate("DocumentFile",
                                                "the text holds characters that its character "
                                                "set (code page %1) cannot store")
                        .arg(m_codePage);
    }

    QFileDevice &m_file;
    const int m_codePage;
    std::optional<QStringEncoder> m_utf8;
    QString m_text; // not yet encoded, in other encodings than UTF-8
    // Room for what gathers before a write and a piece after it; m_used of it hold bytes.
    QByteArray m_bytes;
    qsizetype m_used = 0;
    std::optional<QString> m_failure;
};

Failure tooLarge()
{
    return Failure{QCoreApplication::translate("DocumentFile",
                                               "it is larger than the %1 MB the editor can hold")
                       .arg(DocumentSize::MostMegabytes)};
}

} // namespace

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

Result<QByteArray> read(const QString &path, FileStamp *stamp)
{
    if (QFileInfo(path).isDir())
        return Failure{QCoreApplication::translate("DocumentFile", "it is a folder")};
#ifdef Q_OS_WIN
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return Failure{file.errorString()};
    if (file.size() > DocumentSize::MostCharacters)
        return tooLarge();
    if (stamp)
        *stamp = FileStamp::of(path);
#else
    // Opened without waiting and looked at before reading: a FIFO would wait for a writer
    // for good, a device might never end.
    const int fd = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0)
        return systemFailure(errno);
    struct stat info = {};
    if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
        ::close(fd);
        return Failure{QCoreApplication::translate("DocumentFile", "it is not a regular file")};
    }
    if (info.st_size > DocumentSize::MostCharacters) {
        ::close(fd);
        return tooLarge();
    }
    ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) & ~O_NONBLOCK);
    QFile file;
    if (!file.open(fd, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle)) {
        ::close(fd);
        return Failure{file.errorString()};
    }
    if (stamp)
        *stamp = FileStamp::of(info);
#endif
    QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError)
        return Failure{file.errorString()};
    return bytes;
}

CodePage::Encoding load(const QByteArray &bytes, QTextDocument &document)
{
    if (Rtf::isMarkup(bytes)) {
        Rtf::load(bytes, document);
        return CodePage::systemEncoding();
    }
    CodePage::Decoded decoded = CodePage::decodeFile(bytes);
    FrameMarks::setPlainText(document, std::move(decoded.text));
    document.setModified(false);
    return decoded.encoding;
}

Result<QString> saveTarget(const QString &path)
{
    if (path.isEmpty()) {
        return Failure{
            QCoreApplication::translate("DocumentFile", "no file is chosen in the PC panel")};
    }
    QString target = path;
    const QFileInfo link(path);
    if (link.isSymbolicLink()) {
        // The link stays; what it points to is written, and only when it is there.
        target = link.canonicalFilePath();
        if (target.isEmpty()) {
            return Failure{QCoreApplication::translate("DocumentFile",
                                                       "it is a link to %1, which does not exist")
                               .arg(PathText::native(link.symLinkTarget()))};
        }
        target = PathText::native(target);
    }
    const QFileInfo file(target);
    if (file.isDir())
        return Failure{QCoreApplication::translate("DocumentFile", "it is a folder")};
    if (file.exists() && !file.isFile())
        return Failure{QCoreApplication::translate("DocumentFile", "it is not a regular file")};
    return target;
}

Status save(const QTextDocument &document, const QString &path, const CodePage::Encoding &encoding,
            FileOrigin *origin)
{
    const Result<QString> target = saveTarget(path);
    if (!target)
        return Failure{target.reason()};
    // Saving replaces the file by renaming a new one over it, which the folder would allow: a
    // file marked read-only, or one this user may not write, is refused before that.
    const QFileInfo info(*target);
    if (info.exists() && (!info.isWritable() || !(info.permissions() & QFileDevice::WriteOwner)))
        return Failure{QCoreApplication::translate("DocumentFile", "the file is read-only")};

    const QString text = FrameMarks::rawText(document);
    ReplacementFile file(*target);
    if (const Status opened = file.open(); !opened)
        return opened;
    // Paragraph marks and line breaks are written as CR LF, long lines in pieces.
    TextWriter writer(file.device(), encoding);
    Breaks breaks(text);
    for (qsizetype at = 0; at < text.size();) {
        const qsizetype lineEnd = breaks.next(at);
        qsizetype end = std::min(lineEnd, at + Piece);
        if (end < lineEnd && text[end - 1].isHighSurrogate())
            ++end;
        writer.append(QStringView(text).sliced(at, end - at));
        if (end == lineEnd && lineEnd < text.size()) {
            writer.lineEnd();
            ++end;
        }
        at = end;
    }
    if (const Status written = writer.finish(); !written)
        return written;
    if (const Status committed = file.commit(); !committed)
        return committed;
    if (origin)
        origin->savedTo(*target);
    return {};
}

} // namespace DocumentFile
