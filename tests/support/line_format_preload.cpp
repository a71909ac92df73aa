// Loaded with LD_PRELOAD into a test's programs (Telvor, telvorctl, telvor-sim, ser2net):
// lets a pty keep the line format a program sets on it.
//
// The kernel keeps a pty at 8 data bits without parity whatever is asked for, so a
// program that sets 7E1 reads 8N1 back, and the simulator on the master side cannot
// see what the client chose. This shim records the data bits, parity and stop bits that
// a program sets on a pty (through tcsetattr or the TCSETS ioctls) in a folder named by
// TELVOR_LINE_FORMAT_DIR, one file a pty ("pts-N"), and puts them back into what
// tcgetattr or TCGETS report on either side of that pty. The baud rate is the kernel's
// own. Without TELVOR_LINE_FORMAT_DIR, or on anything but a pty, it changes nothing.

#include <dlfcn.h>
#include <fcntl.h>
#include <sys/ioctl.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <termios.h>
#include <unistd.h>

#include <cstdarg>
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {

constexpr tcflag_t kFormatBits = CSIZE | PARENB | PARODD | CSTOPB;

// Unix98 pty slaves have majors 136..143; the master multiplexer is 5:2.
constexpr unsigned kFirstPtsMajor = 136;
constexpr unsigned kLastPtsMajor = 143;

using IoctlFunction = int (*)(int, unsigned long, ...);
using GetFunction = int (*)(int, termios*);
using SetFunction = int (*)(int, int, const termios*);

IoctlFunction RealIoctl() {
    static auto real = reinterpret_cast<IoctlFunction>(dlsym(RTLD_NEXT, "ioctl"));
    return real;
}
GetFunction RealGet() {
    static auto real = reinterpret_cast<GetFunction>(dlsym(RTLD_NEXT, "tcgetattr"));
    return real;
}
SetFunction RealSet() {
    static auto real = reinterpret_cast<SetFunction>(dlsym(RTLD_NEXT, "tcsetattr"));
    return real;
}

// The number of the pty that fd is either side of, or -1.
int PtyNumber(int fd) {
    struct stat status {};
    if (fstat(fd, &status) != 0 || !S_ISCHR(status.st_mode)) return -1;
    const unsigned major = ::major(status.st_rdev);
    if (major >= kFirstPtsMajor && major <= kLastPtsMajor)
        return static_cast<int>((major - kFirstPtsMajor) * 256 + ::minor(status.st_rdev));
    unsigned number = 0;
    if (major == 5 && ::minor(status.st_rdev) == 2 && RealIoctl()(fd, TIOCGPTN, &number) == 0)
        return static_cast<int>(number);
    return -1;
}

// Where the format of pty `number` is kept; false when the shim is off.
bool RecordPath(int number, char* path, std::size_t size) {
    const char* folder = std::getenv("TELVOR_LINE_FORMAT_DIR");
    if (!folder || !*folder || number < 0) return false;
    return std::snprintf(path, size, "%s/pts-%d", folder, number) < static_cast<int>(size);
}

void Record(int fd, tcflag_t cflag) {
    char path[512], temporary[560];
    if (!RecordPath(PtyNumber(fd), path, sizeof path)) return;
    std::snprintf(temporary, sizeof temporary, "%s.%d", path, static_cast<int>(getpid()));
    FILE* file = std::fopen(temporary, "w");
    if (!file) return;
    std::fprintf(file, "%u\n", static_cast<unsigned>(cflag & kFormatBits));
    if (std::fclose(file) == 0) rename(temporary, path);
    else unlink(temporary);
}

void Restore(int fd, tcflag_t& cflag) {
    char path[512];
    if (!RecordPath(PtyNumber(fd), path, sizeof path)) return;
    FILE* file = std::fopen(path, "r");
    if (!file) return;
    unsigned bits = 0;
    if (std::fscanf(file, "%u", &bits) == 1) cflag = (cflag & ~kFormatBits) | (static_cast<tcflag_t>(bits) & kFormatBits);
    std::fclose(file);
}

// The kernel's termios2 (the C library's termios.h hides its own declaration); it
// and the kernel's termios both start with iflag, oflag, cflag.
struct KernelTermios2 {
    tcflag_t iflag, oflag, cflag, lflag;
    cc_t line;
    cc_t cc[19];
    speed_t ispeed, ospeed;
};
tcflag_t& CflagOf(void* kernelTermios) { return static_cast<KernelTermios2*>(kernelTermios)->cflag; }

constexpr unsigned long kGets2 = _IOR('T', 0x2A, KernelTermios2);
constexpr unsigned long kSets2 = _IOW('T', 0x2B, KernelTermios2);
constexpr unsigned long kSetsW2 = _IOW('T', 0x2C, KernelTermios2);
constexpr unsigned long kSetsF2 = _IOW('T', 0x2D, KernelTermios2);

bool IsSet(unsigned long request) {
    return request == TCSETS || request == TCSETSW || request == TCSETSF || request == kSets2 ||
           request == kSetsW2 || request == kSetsF2;
}
bool IsGet(unsigned long request) { return request == TCGETS || request == kGets2; }

}  // namespace

extern "C" {

int tcsetattr(int fd, int action, const termios* line) {
    const int result = RealSet()(fd, action, line);
    if (result == 0 && line) Record(fd, line->c_cflag);
    return result;
}

int tcgetattr(int fd, termios* line) {
    const int result = RealGet()(fd, line);
    if (result == 0 && line) Restore(fd, line->c_cflag);
    return result;
}

int ioctl(int fd, unsigned long request, ...) {
    va_list arguments;
    va_start(arguments, request);
    void* argument = va_arg(arguments, void*);
    va_end(arguments);
    const int result = RealIoctl()(fd, request, argument);
    if (result == 0 && argument && IsSet(request)) Record(fd, CflagOf(argument));
    if (result == 0 && argument && IsGet(request)) Restore(fd, CflagOf(argument));
    return result;
}

}  // extern "C"
