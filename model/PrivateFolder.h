#pragma once
#include <filesystem>
#include <string>

// Makes a new folder of this process's own in the user's temporary folder,
// open to the user alone, named `prefix`, the process number, "-" and a random
// number. Folders of that prefix whose process has ended (killed or crashed)
// are removed first. EInOutError when none can be made.
std::filesystem::path MakePrivateFolder(const std::string& prefix);

// A private folder made when it is first needed and removed, with everything
// in it, when the object goes: the working copies of a wall's stages live in
// one, so that they are this instance's own whatever the wall's folder allows.
class TPrivateFolder {
public:
    explicit TPrivateFolder(std::string prefix) : prefix_(std::move(prefix)) {}
    ~TPrivateFolder();
    TPrivateFolder(const TPrivateFolder&) = delete;
    TPrivateFolder& operator=(const TPrivateFolder&) = delete;

    // The folder's path; it is made on the first call (EInOutError when it cannot be).
    const std::string& Path() const;

private:
    std::string prefix_;
    mutable std::string path_;
};
