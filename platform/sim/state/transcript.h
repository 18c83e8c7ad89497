// The machine's transcript: everything a person at the simulated desktop would have seen and
// answered, one UTF-8 line each, prefixed by the program that produced it.
#pragma once
#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

namespace sim {

// Appends "PROGRAM: TEXT" as one line. TEXT is UTF-8; a line break inside it is written as
// "\n" so that every entry stays one line. The line is written whole under the machine lock,
// so lines of processes running at the same time never interleave. False when the transcript
// cannot be written.
bool AppendTranscript(const std::filesystem::path& machineDir, const std::string& program,
                      const std::string& text);

// The transcript's size in bytes now; lines appended later start at this offset.
std::uint64_t TranscriptSize(const std::filesystem::path& machineDir);
// The lines from a byte offset on (all lines from 0), without their line ends.
std::vector<std::string> ReadTranscript(const std::filesystem::path& machineDir,
                                        std::uint64_t fromOffset = 0);
// Empties the transcript.
bool ClearTranscript(const std::filesystem::path& machineDir);

}  // namespace sim
