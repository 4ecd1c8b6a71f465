// The sockets a LibreOffice process makes in /tmp: one for its UNO pipe (`--accept`) and one for
// its profile (the pipe later starts on that profile talk to). Both take the office's umask and
// outlive an office ended by a signal, so the program finds, restricts and removes its own.
#pragma once

#include <filesystem>
#include <string>
#include <vector>

#include <sys/types.h>

namespace tuvo::office {

// A short UNO pipe name of our own: this process's id and a random part.
std::string NewPipeName();

// The socket of the UNO pipe of that name, whether or not it exists.
std::filesystem::path PipeSocket(const std::string& pipeName);

// The office sockets in /tmp that the processes of the group hold open now; only those of the
// processes whose command line holds `mark` when it is not empty (the office's own, not what it
// started for the user).
std::vector<std::filesystem::path> SocketsOfGroup(pid_t group, const std::string& mark = {});

// Makes each socket that is there and ours readable and writable by us alone.
void MakeOwnerOnly(const std::vector<std::filesystem::path>& sockets);

// Removes each socket that is there and ours; meant for sockets whose office is gone.
void RemoveSockets(const std::vector<std::filesystem::path>& sockets);

}  // namespace tuvo::office
