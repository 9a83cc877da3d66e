#pragma once
// a folder the layers do not know
