#pragma once
// Where an export, a printout or a picture goes, named by the user.
//
// A regular file, or a new one, is written through a save file: the bytes go to a temporary file beside
// it, which takes its place only when complete, so a failure (a full disk, a cancel) leaves no partial
// file and an older one as it was.  A character device or a pipe (/dev/null, /dev/stdout, a named pipe
// that another program reads), also through a link, is written to directly: it gets the bytes and stays
// what it was; so is an open descriptor of the program (/dev/stdout sent to a file, maybe to append).
// Anything else (a folder, a block device, a socket) is refused, and so is any file the program has open as
// its data: an output never overwrites the league or ticket file it is made from.

#include <QIODevice>
#include <QString>
#include <memory>

class QFileDevice;

// QuorvaneError when path may not take an output (see above); nothing is touched.
void checkOutputTarget(const QString &path);

class OutputFile final : public QIODevice
{
public:
    // Checks the target and opens it; QuorvaneError naming the file when it cannot.
    explicit OutputFile(const QString &path);
    // Without a commit the target stays as it was (a stream keeps what it was given).
    ~OutputFile() override;
    OutputFile(const OutputFile &) = delete;
    OutputFile &operator=(const OutputFile &) = delete;

    bool isSequential() const override { return true; }
    // Writes what is still held and puts the file in place.  QuorvaneError naming the file and the
    // system's cause ("No space left on device") when this or any earlier write failed.
    void commit();

protected:
    qint64 readData(char *data, qint64 size) override;
    qint64 writeData(const char *data, qint64 size) override;

private:
    bool drain();
    [[noreturn]] void fail(const QString &cause) const;

    QString m_path;
    std::unique_ptr<QFileDevice> m_file;
    QByteArray m_held; // written in large blocks: the report painter writes many small pieces
    bool m_failed = false;
};
