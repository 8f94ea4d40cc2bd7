// Whole runs of the Tidewerk program in-process: a task file's text in, the screen, report and
// error texts and the run's record out; and the annotated task files of --template.
#pragma once

#include <memory>
#include <string>

#include "tidewerk/series.h"

namespace tidewerk {

struct RunRecord;  // the run's record (src/outputs/record.h): tables, results, warnings, ending

// What a run is given.
struct RunInput {
  std::string task;                                   // the task file's text
  std::string task_name = "Tidewerk_28-03-2020.Tsk";  // its name in messages and the record
  std::string keyboard;                               // what is typed, lines ending in '\n'
  bool quiet = false;                                 // no warnings in the error text
  std::string language = "tr";  // of the screen and the report: "tr" Turkish or "en" English
};

// What a run gives.
struct RunOutput {
  std::string screen;  // the screen text, exactly
  std::string report;  // the report Tidewerk.Son, exactly
  std::string errors;  // the warnings and the message of a failed run
  std::shared_ptr<const RunRecord> record;
};

// One run of the program on string streams.  Never throws for a run that ends badly: the
// record holds its ending, reason and exit status.
RunOutput run_task(const RunInput& input);

// The record as the JSON text --json writes; empty when the run could not open its task.
std::string record_json_text(const RunRecord& record);

// True for a case number 1 to 10.
bool is_case_number(int number);

// The annotated task file of a case (1 to 10) and series, as --template writes it.
std::string task_template_text(int case_number, Series series);

// The list of the cases, one line each, as --template alone writes it.
std::string case_listing_text();

}  // namespace tidewerk
