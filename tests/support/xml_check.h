// A small XML reader for the tests, enough to prove a document well-formed.
#pragma once

#include <cctype>
#include <map>
#include <string>
#include <vector>

namespace tidewerk::testing {

// Balanced and properly nested elements, quoted attributes, one root; counts elements by name.
class XmlCheck {
 public:
  explicit XmlCheck(const std::string& text) : s_(text) {}
  bool well_formed() {
    skip_space();
    if (s_.compare(i_, 5, "<?xml") == 0) {
      i_ = s_.find("?>", i_);
      if (i_ == std::string::npos) return false;
      i_ += 2;
    }
    skip_space();
    if (!element()) return false;
    skip_space();
    return i_ == s_.size();
  }
  std::map<std::string, int> counts;
  std::vector<std::map<std::string, std::string>> attributes;  // of every element, in order
  std::vector<std::string> names;

 private:
  void skip_space() {
    while (i_ < s_.size() && std::isspace(static_cast<unsigned char>(s_[i_]))) ++i_;
  }
  std::string name() {
    const std::size_t start = i_;
    while (i_ < s_.size() && (std::isalnum(static_cast<unsigned char>(s_[i_])) || s_[i_] == '-' ||
                              s_[i_] == ':' || s_[i_] == '_'))
      ++i_;
    return s_.substr(start, i_ - start);
  }
  bool element() {
    if (s_[i_] != '<') return false;
    ++i_;
    const std::string tag = name();
    if (tag.empty()) return false;
    ++counts[tag];
    names.push_back(tag);
    std::map<std::string, std::string> attrs;
    for (;;) {
      skip_space();
      if (i_ >= s_.size()) return false;
      if (s_.compare(i_, 2, "/>") == 0) {
        i_ += 2;
        attributes.push_back(attrs);
        return true;
      }
      if (s_[i_] == '>') {
        ++i_;
        break;
      }
      const std::string key = name();
      if (key.empty() || s_[i_] != '=' || s_[i_ + 1] != '"') return false;
      const std::size_t end = s_.find('"', i_ + 2);
      if (end == std::string::npos) return false;
      attrs[key] = s_.substr(i_ + 2, end - i_ - 2);
      i_ = end + 1;
    }
    attributes.push_back(attrs);
    for (;;) {
      while (i_ < s_.size() && s_[i_] != '<') {
        if (s_[i_] == '&' && s_.find(';', i_) == std::string::npos) return false;
        ++i_;
      }
      if (i_ >= s_.size()) return false;
      if (s_.compare(i_, 2, "</") == 0) {
        i_ += 2;
        if (name() != tag) return false;
        skip_space();
        if (s_[i_] != '>') return false;
        ++i_;
        return true;
      }
      if (!element()) return false;
    }
  }
  const std::string s_;
  std::size_t i_ = 0;
};

}  // namespace tidewerk::testing
