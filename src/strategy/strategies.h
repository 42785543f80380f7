// The six strategies, each made on its context with its page's parameters.
#pragma once

#include <memory>

#include "strategy/strategy.h"

namespace vantrope {

std::unique_ptr<Strategy> MakeSimpleBet(const StrategyContext& context, const StrategyParams& params);
std::unique_ptr<Strategy> MakeMartingale(const StrategyContext& context, const StrategyParams& params);
std::unique_ptr<Strategy> MakeCautiousMartingale(const StrategyContext& context, const StrategyParams& params);
std::unique_ptr<Strategy> MakeAdaptiveMartingale(const StrategyContext& context, const StrategyParams& params);
std::unique_ptr<Strategy> MakeMonteCarlo(const StrategyContext& context, const StrategyParams& params);
std::unique_ptr<Strategy> MakeBalanced(const StrategyContext& context, const StrategyParams& params);

}  // namespace vantrope
