// The vault's workflows with their states, whose ids the JSON form of actions names.
#include <ostream>

#include "tools/vendrel/Command.h"
#include "tools/vendrel/Host.h"
#include "tools/vendrel/Json.h"

namespace vendrel::tools {

int RunWorkflows(Call& call) {
  if (!call.Arguments().empty()) throw call.Misused();
  const std::vector<sim::Workflow> workflows = call.Host().Vault().Workflows();
  if (call.Json()) {
    Json array = Json::array();
    for (const sim::Workflow& workflow : workflows) {
      Json states = Json::array();
      for (const sim::WorkflowState& state : workflow.states) {
        Json json;
        json["id"] = state.id;
        json["name"] = state.name;
        states.push_back(std::move(json));
      }
      Json json;
      json["id"] = workflow.id;
      json["name"] = workflow.name;
      json["states"] = std::move(states);
      array.push_back(std::move(json));
    }
    call.Out() << WriteJson(array);
    return kExitOk;
  }
  for (const sim::Workflow& workflow : workflows) {
    call.Out() << "workflow " << Utf8(workflow.name) << "\n";
    for (const sim::WorkflowState& state : workflow.states)
      call.Out() << "  " << state.id << "  " << Utf8(state.name) << "\n";
  }
  return kExitOk;
}

}  // namespace vendrel::tools
