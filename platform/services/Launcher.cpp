// SPDX-License-Identifier: Apache-2.0
// Application launch: a detached child process.
#include "services/Launcher.h"

#include "cf/Dictionary.h"
#include "cf/File.h"
#include "cf/PropertyList.h"

#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

namespace svc {

OSStatus FSPathMakeRef(const char* path, FSRef* ref, bool* isDirectory)
{
    if (!path || !ref) return kPMInvalidParameter;
    struct stat info { };
    if (::stat(path, &info) != 0) return fnfErr;
    ref->path = path;
    if (isDirectory) *isDirectory = S_ISDIR(info.st_mode);
    return 0;
}

OSStatus LSOpenFSRef(const FSRef& ref, FSRef* launched)
{
    std::string program = ref.path;
    struct stat info { };
    if (::stat(program.c_str(), &info) != 0) return fnfErr;
    if (S_ISDIR(info.st_mode)) {
        auto bytes = cf::File::read(program + "/Contents/Info.plist");
        auto manifest = bytes ? cf::as<cf::Dictionary>(cf::PropertyList::createFromData(*bytes)) : nullptr;
        auto executable = manifest ? manifest->getString("CFBundleExecutable") : nullptr;
        if (!executable) return fnfErr;
        program += "/Contents/MacOS/" + executable->utf8();
    }
    if (::access(program.c_str(), X_OK) != 0) return fnfErr;

    // Double fork: the application outlives us and never becomes our zombie.
    pid_t child = ::fork();
    if (child < 0) return fnfErr;
    if (child == 0) {
        ::setsid();
        if (::fork() == 0) {
            char* argv[] = {program.data(), nullptr};
            ::execv(program.c_str(), argv);
        }
        ::_exit(0);
    }
    int status = 0;
    ::waitpid(child, &status, 0);
    if (launched) *launched = FSRef{program};
    return 0;
}

} // namespace svc
