#pragma once

// The timeline page's files (tools/live/timeline_page/), built into the
// program by ombrel_embed_file: the page needs no network and no file of
// the installation.
extern const unsigned char TimelinePage[];
extern const unsigned int TimelinePageSize;
extern const unsigned char TimelineScript[];
extern const unsigned int TimelineScriptSize;
extern const unsigned char TimelineStyle[];
extern const unsigned int TimelineStyleSize;
