#pragma once
struct OpContext;

// The connection check ("CheckCOM"): discards pending input, sends "CC000000#" and logs
// the reply after 400 ms, or "编程器无反应!" when nothing came. True when a reply came.
bool CheckConnection(OpContext& c);
