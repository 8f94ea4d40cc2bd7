#include "driver/output_files.h"

#include <algorithm>
#include <cctype>
#include <fstream>
#include <string_view>
#include <system_error>
#include <utility>

#include "report/run_end.h"

namespace fs = std::filesystem;

namespace tidewerk {
namespace {

// The part of a table's file name between the stem and ".csv": letters, digits and hyphens.
bool table_word(std::string_view word) {
  return !word.empty() && std::all_of(word.begin(), word.end(), [](char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '-';
  });
}

// "<stem>.<table>.csv"; not the table of a longer stem ("<stem>.b.<table>.csv").
bool table_file_of(const std::string& file, const std::string& stem) {
  const std::string head = stem + ".", tail = ".csv";
  if (file.size() <= head.size() + tail.size() || file.compare(0, head.size(), head) != 0 ||
      file.compare(file.size() - tail.size(), tail.size(), tail) != 0) {
    return false;
  }
  return table_word(
      std::string_view(file).substr(head.size(), file.size() - head.size() - tail.size()));
}

void remove_file(const fs::path& path) {
  std::error_code error;
  fs::remove(path, error);
  if (error) throw OutputError("cannot remove " + path.string() + ": " + error.message());
}

std::string lower(std::string text) {
  std::transform(text.begin(), text.end(), text.begin(),
                 [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  return text;
}

// `longer` is `shorter` with one extension added (".Tsk", ".txt").
bool one_extension_more(const std::string& longer, const std::string& shorter) {
  if (longer.size() <= shorter.size() + 1 || longer.compare(0, shorter.size(), shorter) != 0)
    return false;
  const std::string extension = longer.substr(shorter.size());
  return extension[0] == '.' && extension.find('.', 1) == std::string::npos;
}

// A file the program writes (a report, a diagram, a table, a record), never a task file.
bool is_output_file(const std::string& name) {
  const std::string extension = lower(fs::path(name).extension().string());
  for (const char* output : {".son", ".svg", ".csv", ".json", ".part"}) {
    if (extension == output) return true;
  }
  return false;
}

}  // namespace

OutputPlan output_plan(const Options& options) {
  OutputPlan plan;
  plan.kinds = {options.svg, options.csv, options.json};
  if (options.task_file.empty()) {
    plan.stem = "Tidewerk";
  } else {
    const fs::path task(options.task_file);
    plan.stem = task.stem().string();
    plan.dir = task.parent_path();
  }
  if (!options.output_dir.empty()) plan.dir = options.output_dir;
  return plan;
}

void make_output_folder(const OutputPlan& plan) {
  std::error_code ec;
  if (plan.dir.empty() || fs::is_directory(plan.dir, ec)) return;
  fs::create_directories(plan.dir, ec);
  if (ec) {
    throw OutputError("cannot create the output folder " + plan.dir.string() + ": " + ec.message());
  }
}

void guard_task_file(const OutputPlan& plan, const fs::path& task, const std::string& task_name) {
  std::error_code ec;
  if (fs::equivalent(task, plan.report(), ec)) {
    throw OutputError("the report " + plan.report().string() + " would replace the task file " +
                      task_name + "; give the task file another extension");
  }
}

void remove_stale_outputs(const OutputPlan& plan) {
  if (plan.kinds.svg) remove_file(plan.dir / (plan.stem + ".svg"));
  if (plan.kinds.json) remove_file(plan.dir / (plan.stem + ".json"));
  if (plan.kinds.csv) {
    std::error_code error;
    const fs::path folder = plan.dir.empty() ? fs::path(".") : plan.dir;
    std::vector<fs::path> stale;
    for (fs::directory_iterator it(folder, error), end; !error && it != end; it.increment(error)) {
      if (table_file_of(it->path().filename().string(), plan.stem)) stale.push_back(it->path());
    }
    if (error) {
      throw OutputError("cannot list the folder " + folder.string() + ": " + error.message());
    }
    for (const fs::path& path : stale) remove_file(path);
  }
}

void write_whole(const std::vector<std::pair<fs::path, std::string>>& files) {
  std::vector<fs::path> parts;
  std::size_t renamed = 0;
  const auto undo = [&] {
    std::error_code ignored;
    for (std::size_t k = 0; k < parts.size(); ++k) {
      fs::remove(k < renamed ? files[k].first : parts[k], ignored);
    }
  };
  for (const auto& [path, text] : files) {
    parts.push_back(path.parent_path() / ("." + path.filename().string() + ".part"));
    std::ofstream out(parts.back(), std::ios::binary | std::ios::trunc);
    out << text;
    out.close();
    if (!out) {
      undo();
      throw OutputError("cannot write " + path.string());
    }
  }
  for (; renamed < files.size(); ++renamed) {
    std::error_code error;
    fs::rename(parts[renamed], files[renamed].first, error);
    if (error) {
      undo();
      throw OutputError("cannot write " + files[renamed].first.string() + ": " + error.message());
    }
  }
}

void write_outputs(const OutputPlan& plan, const RunRecord& record) {
  std::vector<std::pair<fs::path, std::string>> files;
  for (OutputText& output : output_texts(record, plan.kinds)) {
    files.emplace_back(plan.dir / (plan.stem + output.suffix), std::move(output.text));
  }
  write_whole(files);
}

std::vector<fs::path> near_matches(const fs::path& given) {
  std::vector<fs::path> found;
  const fs::path folder = given.parent_path();
  const std::string name = given.filename().string();
  const std::string wanted = lower(name);
  std::error_code ec;
  for (fs::directory_iterator it(folder.empty() ? fs::path(".") : folder, ec), end;
       !ec && it != end; it.increment(ec)) {
    std::error_code ignored;
    if (!it->is_regular_file(ignored)) continue;
    const std::string candidate = it->path().filename().string();
    if (candidate == name || is_output_file(candidate)) continue;
    const std::string other = lower(candidate);
    if (other == wanted || one_extension_more(other, wanted) || one_extension_more(wanted, other))
      found.push_back(folder / candidate);
  }
  std::sort(found.begin(), found.end());
  return found;
}

std::string unopenable_task_file(const fs::path& given, bool classic) {
  std::error_code ec;
  const fs::path absolute = fs::absolute(given, ec).lexically_normal();
  std::string why;
  if (fs::is_directory(given, ec)) {
    why = "a folder, not a file";
  } else if (fs::exists(given, ec)) {
    why = "not readable";
  } else {
    const fs::path folder = absolute.parent_path();
    why = fs::is_directory(folder, ec) ? "no such file" : "no folder " + folder.string();
  }
  std::string message = "task file " + given.string() + ": cannot be opened" +
                        (classic ? " in the working directory" : "") + " (" + absolute.string() +
                        ": " + why + ")";
  const std::vector<fs::path> near = near_matches(given);
  for (std::size_t k = 0; k < near.size(); ++k) {
    message += (k == 0                 ? "; did you mean "
                : k + 1 == near.size() ? " or "
                                       : ", ") +
               near[k].string();
  }
  if (!near.empty()) message += "?";
  return message;
}

}  // namespace tidewerk
