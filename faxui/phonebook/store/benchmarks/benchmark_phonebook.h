// The phonebook the benchmarks measure on: "Member <0000>", then
// "Person i <100000+i>" for each individual, then groups "Group g" of 50
// members each (Member first), then "Last <9999>".
#pragma once

#include <filesystem>
#include <fstream>
#include <string>

#include "phonebook/afd_format.h"

namespace tq::phonebook::bench {

inline std::string BenchmarkPerson(const std::string& name, const std::string& fax) {
  IndividualFields f;
  f.name = name;
  f.faxNumber = fax;
  f.company = "Entreprise";
  f.sendMode = "0";
  f.printOnRelay = "0";
  return SerialiseIndividual(f);
}

inline std::filesystem::path MakeBenchmarkPhonebook(const std::filesystem::path& file, int individuals, int groups) {
  std::ofstream out(file, std::ios::binary | std::ios::trunc);
  out << EmptyPhonebookBytes() << BenchmarkPerson("Member", "0000");
  for (int i = 0; i < individuals; ++i) {
    out << BenchmarkPerson("Person " + std::to_string(i), std::to_string(100000 + i));
  }
  for (int g = 0; g < groups; ++g) {
    GroupFields group{"Group " + std::to_string(g), {{"Member", "0000"}}};
    for (int m = 1; m < 50; ++m) {
      const int i = (g * 49 + m) % individuals;
      group.members.push_back({"Person " + std::to_string(i), std::to_string(100000 + i)});
    }
    out << SerialiseGroup(group);
  }
  out << BenchmarkPerson("Last", "9999");
  return file;
}

}  // namespace tq::phonebook::bench
