#pragma once

#include "QuorvelAdapter.h"

// Creates the meter plug-in on the adapter of the deliverable being built, or null when it
// cannot be made; the adapter's entry point calls it.
QuorvelAdapter* CreatePluginInstance(const QuorvelAdapter::HostContext& host);

// The plug-in's identity as given to the framework, for records a host reads before it
// creates an instance.
const EffectConfig& PluginConfig();
