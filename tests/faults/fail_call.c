/* Preloaded into a game to make one system call fail once, as a failing
 * disk would:  FIFTEEN_FAIL="CALL:N:ERRNO:PART"  fails the N-th call of CALL
 * whose path contains PART with errno ERRNO, or ends the process there with
 * SIGKILL when ERRNO is "kill". Calls on a descriptor count when it was
 * opened on such a path, or is an unnamed file (O_TMPFILE). When it fires it
 * writes "fail_call: fired" to standard error. */
#define _GNU_SOURCE
#include <dlfcn.h>
#include <errno.h>
#include <fcntl.h>
#include <signal.h>
#include <stdarg.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <sys/stat.h>
#include <unistd.h>

static char call[32], part[256];
static int nth = -1, error_number, seen, parsed;
static unsigned char tracked[4096]; /* descriptors opened on a matching path */

static void parse(void)
{
    const char* fault = getenv("FIFTEEN_FAIL");
    char err[32] = "";
    parsed = 1;
    if (!fault || sscanf(fault, "%31[^:]:%d:%31[^:]:%255[^\n]", call, &nth, err, part) != 4)
        nth = -1;
    error_number = strcmp(err, "kill") == 0 ? -1 : atoi(err);
}

/* True when this call is the one to fail; sets errno then. */
static int fire(const char* name, const char* path, int fd)
{
    if (!parsed)
        parse();
    if (nth < 0 || strcmp(name, call) != 0)
        return 0;
    if (path ? !strstr(path, part) : !(fd >= 0 && fd < 4096 && tracked[fd]))
        return 0;
    if (++seen != nth)
        return 0;
    static const char line[] = "fail_call: fired\n";
    (void)!write(2, line, sizeof line - 1);
    if (error_number < 0)
        raise(SIGKILL);
    errno = error_number;
    return 1;
}

static void track(int fd, const char* path, int flags)
{
    if (!parsed)
        parse();
    if (fd >= 0 && fd < 4096)
        tracked[fd] = (path && strstr(path, part)) || (flags & __O_TMPFILE) == __O_TMPFILE;
}

#define REAL(name) ((__typeof__(&name))dlsym(RTLD_NEXT, #name))
#define MODE(flags) (((flags) & O_CREAT) || ((flags) & __O_TMPFILE) == __O_TMPFILE ? va_arg(ap, mode_t) : 0)

#define PATH_CALL(ret, name, params, path, args)                                                             \
    ret name params                                                                                          \
    {                                                                                                        \
        return fire(#name, path, -1) ? (ret)-1 : REAL(name) args;                                            \
    }
PATH_CALL(int, access, (const char* p, int m), p, (p, m))
PATH_CALL(int, stat, (const char* p, struct stat* s), p, (p, s))
PATH_CALL(int, lstat, (const char* p, struct stat* s), p, (p, s))
PATH_CALL(int, fstatat, (int d, const char* p, struct stat* s, int f), p, (d, p, s, f))
PATH_CALL(int, statx, (int d, const char* p, int f, unsigned m, struct statx* s), p, (d, p, f, m, s))
PATH_CALL(ssize_t, readlink, (const char* p, char* b, size_t n), p, (p, b, n))
PATH_CALL(int, unlink, (const char* p), p, (p))
PATH_CALL(int, mkdir, (const char* p, mode_t m), p, (p, m))
PATH_CALL(int, link, (const char* a, const char* b), b, (a, b))
PATH_CALL(int, linkat, (int a, const char* p, int b, const char* q, int f), q, (a, p, b, q, f))
PATH_CALL(int, rename, (const char* a, const char* b), b, (a, b))
PATH_CALL(int, renameat, (int a, const char* p, int b, const char* q), q, (a, p, b, q))

#define FD_CALL(ret, name, params, fd, args)                                                                 \
    ret name params                                                                                          \
    {                                                                                                        \
        return fire(#name, NULL, fd) ? (ret)-1 : REAL(name) args;                                            \
    }
FD_CALL(int, fsync, (int d), d, (d))
FD_CALL(int, fdatasync, (int d), d, (d))
FD_CALL(int, fchmod, (int d, mode_t m), d, (d, m))
FD_CALL(int, fstat, (int d, struct stat* s), d, (d, s))
FD_CALL(ssize_t, read, (int d, void* b, size_t n), d, (d, b, n))
FD_CALL(ssize_t, write, (int d, const void* b, size_t n), d, (d, b, n))

#define OPEN_CALL(name, params, path, args)                                                                  \
    int name params                                                                                          \
    {                                                                                                        \
        va_list ap;                                                                                          \
        va_start(ap, flags);                                                                                 \
        const mode_t mode = MODE(flags);                                                                     \
        va_end(ap);                                                                                          \
        if (fire(#name, path, -1))                                                                           \
            return -1;                                                                                       \
        const int fd = REAL(name) args;                                                                      \
        track(fd, path, flags);                                                                              \
        return fd;                                                                                           \
    }
OPEN_CALL(open, (const char* p, int flags, ...), p, (p, flags, mode))
OPEN_CALL(open64, (const char* p, int flags, ...), p, (p, flags, mode))
OPEN_CALL(openat, (int d, const char* p, int flags, ...), p, (d, p, flags, mode))
OPEN_CALL(openat64, (int d, const char* p, int flags, ...), p, (d, p, flags, mode))

int close(int fd)
{
    if (fd >= 0 && fd < 4096)
        tracked[fd] = 0;
    return REAL(close)(fd);
}
