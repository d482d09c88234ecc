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
                  "formula; exact: the exact as-worn order (ray trace), rounded as the ticket "
                  "rounds, with the prism that cancels the induced horizontal prism. The "
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
}

}  // namespace asworn::cli
