# Sources of Core/capture (none yet).
