// SPDX-License-Identifier: Apache-2.0
#include "order_options.h"

#include <CLI/CLI.hpp>
#include <map>
#include <string>

namespace asworn::cli {

void AddOrderOptions(CLI::App& command, optics::OrderSettings& settings) {
  const std::map<std::string, optics::OrderChoice> orders{
      {"ticket", optics::OrderChoice::ticketFormula}, {"exact", optics::OrderChoice::exact}};
  const std::map<std::string, optics::WearConvention> conventions{
      {"frame", optics::WearConvention::frame}, {"head", optics::WearConvention::head}};
  command
      .add_option("--order", settings.order,
                  "ticket (default): the lens to make is the compensation of the ticket's "
                  "formula; exact: the exact as-worn order (ray trace) as a lab writes it (powers "
                  "to --steps, whole-degree axis from 1 to 180), with the prism that cancels the "
                  "induced horizontal prism. The "
                  "as-worn check always describes the lens ordered.")
      ->transform(CLI::CheckedTransformer(orders, CLI::ignore_case))
      ->type_name("ticket|exact");
  command
      .add_option("--convention", settings.convention,
                  "How tilt and wrap are read by the as-worn check and the exact order: frame "
                  "(default: the lens wrapped within the frame front, then the front tilted on "
                  "the face) or head (tilted first, then turned about the head's vertical).")
      ->transform(CLI::CheckedTransformer(conventions, CLI::ignore_case))
      ->type_name("frame|head");
  const std::map<std::string, optics::PowerStep> steps{{"0.01", optics::PowerStep::hundredth},
                                                       {"0.125", optics::PowerStep::eighth},
                                                       {"0.25", optics::PowerStep::quarter}};
  command
      .add_option("--steps", settings.step,
                  "With --order exact: the lab's power step, 0.01 (default), 0.125 or 0.25 D. "
                  "The exact order's sphere and cylinder are rounded to it (a cylinder that "
                  "rounds to 0 has axis 180), and the as-worn check describes the lens so "
                  "rounded.")
      ->transform(CLI::CheckedTransformer(steps))
      ->type_name("0.01|0.125|0.25");
}

}  // namespace asworn::cli
