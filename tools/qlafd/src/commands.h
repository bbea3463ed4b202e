// The qlafd commands. Each returns the program's exit status: 0 when done,
// the StoreResult value when the store refused, kUsage for a bad request.
#pragma once

#include <string>

namespace tq::qlafd {

inline constexpr int kUsage = 64;

int List(const std::string& file);
int Check(const std::string& file);
int Dump(const std::string& file);
int Convert(const std::string& oldFile, const std::string& newFile);
int New(const std::string& file);
// Changes for administrators' scripts: an individual with the default
// settings appended; the record a display line names ("Name <number>" or
// "[Group]") deleted; an individual given a new name and fax number.
int Add(const std::string& file, const std::string& name, const std::string& faxNumber);
int Delete(const std::string& file, const std::string& line);
int Rename(const std::string& file, const std::string& line, const std::string& name,
           const std::string& faxNumber);

}  // namespace tq::qlafd
