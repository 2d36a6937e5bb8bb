#include "DatabaseFileLock.h"

#include <QElapsedTimer>
#include <QFile>
#include <QThread>

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// Inside the page SQLite reserves for its own locks (which end at 0x40000200): never data, never
// one of SQLite's lock bytes.
constexpr off_t kInUseByte = 0x40000300;

bool sameFile(int fd, const QString& path) {
    struct stat held {};
    struct stat named {};
    if (::fstat(fd, &held) != 0 || ::stat(QFile::encodeName(path).constData(), &named) != 0)
        return false;
    return held.st_dev == named.st_dev && held.st_ino == named.st_ino;
}

} // namespace

DatabaseFileLock::~DatabaseFileLock() {
    release();
}

bool DatabaseFileLock::acquire(const QString& path, Kind kind, int waitMs) {
    release();
    const int flags = (kind == Kind::Exclusive ? O_RDWR : O_RDONLY) | O_CLOEXEC;
    const int fd = ::open(QFile::encodeName(path).constData(), flags);
    if (fd < 0)
        return true; // nothing to learn; opening the file reports the real problem
    struct flock lock {};
    lock.l_type = kind == Kind::Exclusive ? F_WRLCK : F_RDLCK;
    lock.l_whence = SEEK_SET;
    lock.l_start = kInUseByte;
    lock.l_len = 1;
    QElapsedTimer clock;
    clock.start();
    for (;;) {
        if (::fcntl(fd, F_OFD_SETLK, &lock) == 0) {
            // A restore may have put a new file under the name while we waited: the lock must be on
            // the file the name now stands for.
            if (sameFile(fd, path))
                break;
            ::close(fd);
            if (clock.elapsed() >= waitMs)
                return false;
            return acquire(path, kind, int(waitMs - clock.elapsed()));
        }
        if (errno != EAGAIN && errno != EACCES && errno != EINTR) {
            // No locks on this file system: keep the descriptor so held() tells the truth about the
            // opening, but nothing can be learnt about other users.
            break;
        }
        if (errno != EINTR && clock.elapsed() >= waitMs) {
            ::close(fd);
            return false;
        }
        QThread::msleep(20);
    }
    m_fd = fd;
    return true;
}

void DatabaseFileLock::release() {
    if (m_fd >= 0) {
        ::close(m_fd);
        m_fd = -1;
    }
}
