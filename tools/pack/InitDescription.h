// zembra-pack --init: a product description for the files of a folder, ready to pack as it stands.
// Every optional key is there, commented out with its default, and the texts as comments to change.
#pragma once

#include <string>

namespace zembra {

struct InitOptions {
    std::string description;  // the description to write; an existing file is never replaced
    std::string folder;       // every file under it is installed under <INSTALLDIR> in its relative folder
    std::string name;         // ProName; empty: the folder's name
    std::string language = "de";  // Languages; its default texts are shown
};

// False with a message, and then nothing written. *summary tells what was written.
bool WriteInitialDescription(const InitOptions& options, std::string* summary, std::string* error);

}  // namespace zembra
