#include "driver/outputs.h"

#include <fstream>

namespace tidewerk {

void remove_stale_outputs(const OutputPlan&) {}

void write_outputs(const OutputPlan& plan, const RunFigures& figures, const RunRecord&) {
  if (plan.csv && !figures.tables().empty()) {
    std::ofstream(plan.dir / (plan.stem + ".csv")) << tables_to_csv(figures.tables());
  }
  if (plan.svg && !figures.diagram().empty()) {
    std::ofstream(plan.dir / (plan.stem + ".svg")) << diagram_to_svg(figures.diagram());
  }
}

}  // namespace tidewerk
