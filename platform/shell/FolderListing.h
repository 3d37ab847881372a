// The file-system side of the folder chooser: the folders inside a folder, the parent of a
// folder, and where browsing starts. Paths are UTF-8 byte strings, absolute, without a
// trailing "/" (except the root "/").
#pragma once

#include <string>
#include <vector>

struct CFolderListing {
    // Sub-folder names (symbolic links to folders count), without hidden ones (a leading
    // "."), sorted without regard to case.
    std::vector<std::string> names;
    // False when the folder cannot be read; `names` is then empty.
    bool readable = false;
};

CFolderListing ListSubfolders(const std::string& folder);

// The folder that holds `folder`; the root is its own parent.
std::string ParentFolder(const std::string& folder);
std::string ChildFolder(const std::string& folder, const std::string& name);
// $HOME when it names a folder, else the account's home folder, else "/".
std::string HomeFolder();
