# Sources of Core/files (none yet).
