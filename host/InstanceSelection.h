// InstanceSelection: the instances a batch runs, from its --instances text:
// "all" (every catalogue instance of the configuration's entity) or ids and
// LO-HI ranges of catalogue ids, separated by commas. The selection is a set:
// each id once, in the order it was first named. A text that selects nothing
// (an entity the catalogue lacks, a reversed or empty range) is refused with
// a KvException that gives the reason. Ids are plain decimal numbers, here
// and for `run --instance` alike.
#ifndef TARNEL_HOST_INSTANCESELECTION_H_
#define TARNEL_HOST_INSTANCESELECTION_H_

#include <string>
#include <vector>

class ReportSession;

class InstanceSelection {
 public:
  // The id `text` spells in plain decimal digits. Throws KvException
  // "Not an instance id: ..." for anything else (signs, prefixes, blanks, an
  // id past the largest int).
  static int parseId(const std::string& text);

  // The ids `text` selects, looked up through `session`; `entity` is the
  // configuration's Entity attribute (for "all"). Throws KvException.
  static std::vector<int> select(const std::string& text, ReportSession& session,
                                 const std::string& entity);

 private:
  static std::vector<int> all(ReportSession& session, const std::string& entity);
  static std::vector<int> range(const std::string& item, size_t dash, ReportSession& session);
};

#endif  // TARNEL_HOST_INSTANCESELECTION_H_
