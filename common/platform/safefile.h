#pragma once

#include <QByteArray>
#include <QString>

#include <cstddef>
#include <cstdint>

namespace platform {

// What a path that is a symbolic link stands for when a file is written there.
enum class FileRole {
    // A file the user opened or named to be saved (a book, a settings file):
    // a link stands for the file it finally points to, and that file is
    // replaced, keeping its permission bits and, where allowed, its owner.
    Document,
    // A file a program creates in an output folder (exported pages, converted
    // pictures, a rendered picture): a link found there is replaced by the new
    // file, never written through.
    Output,
};

// Writes a file through a temporary file beside its final place that then
// takes that place, so the old file stays whole until the new one is complete
// and on disk. The temporary file is named prefix + random hex + ".tmp" and
// holds an exclusive flock while it is written; opening first removes from
// that folder the temporary files of the same prefix whose lock can be taken,
// because their writer is gone. An AtomicFile destroyed before commit()
// removes its temporary file.
class AtomicFile {
public:
    AtomicFile(const QString &path, FileRole role, const QString &prefix = QStringLiteral("$KV"));
    ~AtomicFile();
    AtomicFile(const AtomicFile &) = delete;
    AtomicFile &operator=(const AtomicFile &) = delete;

    // Makes the temporary file. False, with nothing written, when the place
    // holds a folder or another entry that is no plain file, when its file may
    // not be written by this user, or when no temporary file can be made
    // beside it (a folder that is not writable): a file is never rewritten in
    // place, where a failure halfway would leave it broken.
    bool open();
    // The temporary file's descriptor while open, else -1.
    int handle() const { return m_fd; }
    // Appends to the temporary file. A failed write is kept: every later
    // write fails too, and so does commit().
    bool write(const void *data, size_t size);
    bool write(const QByteArray &bytes) { return write(bytes.constData(), size_t(bytes.size())); }
    // Flushes the data to disk and puts the file in its place. False leaves
    // the old file as it was and removes the temporary file, with one
    // exception: when only the flush of the folder after the rename fails,
    // the new file is in place but may not be after a crash, and commit()
    // says so with false all the same.
    bool commit();
    // Removes the temporary file; the old file stays as it was.
    void discard();

private:
    QString m_path;
    FileRole m_role;
    QString m_prefix;
    QByteArray m_destination; // the entry that is replaced, in the file system's encoding
    QByteArray m_temporary;
    int m_fd = -1;
    bool m_failed = false;
    bool m_keepAttributes = false;
    uint32_t m_mode = 0;
    uint32_t m_owner = 0;
    uint32_t m_group = 0;
};

// A file for bytes a program needs only while it works (pages taken out of
// an archive before they are bound), made in `folder` as prefix + random hex
// + ".tmp" and removed when the object goes. It holds an exclusive flock
// while it lives; making one first removes from that folder the files of the
// same prefix whose lock can be taken, because their maker is gone.
class ScratchFile {
public:
    ScratchFile(const QString &folder, const QString &prefix);
    ~ScratchFile();
    ScratchFile(const ScratchFile &) = delete;
    ScratchFile &operator=(const ScratchFile &) = delete;

    bool open();
    int handle() const { return m_fd; }
    // The file's path while it is open, else empty.
    QString path() const;
    // Appends; false on an error such as a full disk.
    bool write(const void *data, size_t size);
    // The bytes appended so far.
    uint64_t size() const { return m_size; }

private:
    QString m_folder;
    QString m_prefix;
    QByteArray m_path;
    int m_fd = -1;
    uint64_t m_size = 0;
};

// Writes `bytes` as a new output file (FileRole::Output) through an AtomicFile.
bool writeNewFile(const QString &path, const QByteArray &bytes);

// Flushes a file that is already in its place, and its folder, to disk: for
// files written by a library that does not report a failed flush. False when
// either flush fails.
bool flushToDisk(const QString &path);

// Writes all `size` bytes to `fd`, resuming after interruptions and partial
// writes; false on an error such as a full disk.
bool writeFully(int fd, const void *data, size_t size);

// Asks the kernel to start writing `length` bytes of `fd` from `offset` to
// disk without waiting for them, so that a later flush of the whole file
// waits only for what was written last. Only a hint: nothing is reported.
void startWriteback(int fd, uint64_t offset, uint64_t length);

} // namespace platform
