#include <gtest/gtest.h>

#include <gst/app/gstappsink.h>
#include <gst/gst.h>

#include <cmath>
#include <string>
#include <vector>

#include "audio/processing_chain.h"
#include "playback/tap/tap_element.h"

namespace {

class TapTest : public testing::Test {
 protected:
  static void SetUpTestSuite() {
    gst_init(nullptr, nullptr);
    ASSERT_TRUE(tap::registerTapElement());
  }
};

// Runs a launch line to its end and returns the bytes of every buffer that
// reached the appsink named "sink".
std::vector<std::vector<uint8_t>> runToEnd(GstElement* pipeline) {
  GstElement* sink = gst_bin_get_by_name(GST_BIN(pipeline), "sink");
  std::vector<std::vector<uint8_t>> buffers;
  EXPECT_NE(gst_element_set_state(pipeline, GST_STATE_PLAYING), GST_STATE_CHANGE_FAILURE);
  while (GstSample* sample = gst_app_sink_try_pull_sample(GST_APP_SINK(sink), 10 * GST_SECOND)) {
    GstMapInfo map;
    GstBuffer* buffer = gst_sample_get_buffer(sample);
    gst_buffer_map(buffer, &map, GST_MAP_READ);
    buffers.emplace_back(map.data, map.data + map.size);
    gst_buffer_unmap(buffer, &map);
    gst_sample_unref(sample);
  }
  EXPECT_TRUE(gst_app_sink_is_eos(GST_APP_SINK(sink)));
  gst_object_unref(sink);
  return buffers;
}

GstElement* launch(const std::string& line) {
  GError* error = nullptr;
  GstElement* pipeline = gst_parse_launch(line.c_str(), &error);
  EXPECT_EQ(error, nullptr) << (error ? error->message : "");
  if (error) g_error_free(error);
  return pipeline;
}

void configure(audio::ProcessingChain& chain) {
  chain.dynamicAmplify().setEnabled(true);
  chain.dynamicAmplify().setState(3.0f, 0);
  chain.amplify().setChannelGain(0, audio::preAmplificationGain(-20));
  for (int band = 0; band < 10; ++band) chain.equalizer().setBandValue(band, 50 - 11 * band);
}

// audiotestsrc ! tap ! appsink changes the samples exactly as the chain does
// when it is given the same buffers in the same format.
TEST_F(TapTest, PipelineOutputIsTheChainsOutput) {
  struct Row {
    const char* format;
    int bits;
    bool isFloat;
    bool viaFilterBin;
  };
  const Row rows[] = {{"S16LE", 16, false, false},
                      {"S24LE", 24, false, false},
                      {"S32LE", 32, false, false},
                      {"F32LE", 32, true, false},
                      {"F32LE", 32, true, true}};
  for (const Row& r : rows) {
    SCOPED_TRACE(testing::Message() << r.format << (r.viaFilterBin ? " via filter bin" : ""));
    const std::string source =
        std::string(
            "audiotestsrc num-buffers=12 samplesperbuffer=1500 wave=sine freq=700 "
            "volume=0.4 ! audio/x-raw,layout=interleaved,rate=48000,channels=2,format=") +
        r.format;
    GstElement* plain = launch(source + " ! appsink name=sink sync=false");
    const auto input = runToEnd(plain);
    gst_element_set_state(plain, GST_STATE_NULL);
    gst_object_unref(plain);

    GstElement* pipeline = launch(source + " ! identity name=slot ! appsink name=sink sync=false");
    GstElement* tapped = nullptr;
    {
      // Replace the placeholder with the tap (or the converter bin around it).
      GstElement* slot = gst_bin_get_by_name(GST_BIN(pipeline), "slot");
      GstPad* slotSink = gst_element_get_static_pad(slot, "sink");
      GstPad* upstream = gst_pad_get_peer(slotSink);
      GstElement* before = gst_pad_get_parent_element(upstream);
      GstElement* sink = gst_bin_get_by_name(GST_BIN(pipeline), "sink");
      gst_bin_remove(GST_BIN(pipeline), slot);
      tapped = r.viaFilterBin ? tap::createTapFilter()
                              : gst_element_factory_make(tap::kTapFactoryName, nullptr);
      ASSERT_NE(tapped, nullptr);
      gst_bin_add(GST_BIN(pipeline), tapped);
      ASSERT_TRUE(gst_element_link_many(before, tapped, sink, nullptr));
      gst_object_unref(sink);
      gst_object_unref(before);
      gst_object_unref(upstream);
      gst_object_unref(slotSink);
      gst_object_unref(slot);
    }
    audio::ProcessingChain* chain = tap::chainOf(tapped);
    ASSERT_NE(chain, nullptr);
    if (!r.viaFilterBin) {
      gpointer property = nullptr;
      g_object_get(tapped, "chain", &property, nullptr);
      EXPECT_EQ(property, chain);
    }
    configure(*chain);
    const auto output = runToEnd(pipeline);
    EXPECT_EQ(chain->format().Bits, r.bits);
    EXPECT_EQ(chain->format().IsFloat, r.isFloat);
    EXPECT_EQ(chain->format().Channels, 2);
    gst_element_set_state(pipeline, GST_STATE_NULL);
    gst_object_unref(pipeline);

    audio::ProcessingChain reference;
    configure(reference);
    reference.setFormat(*audio::describeStream(48000, 2, r.bits, r.isFloat, audio::kWaveFormatPcm));
    ASSERT_EQ(output.size(), input.size());
    for (size_t k = 0; k < input.size(); ++k) {
      auto expected = input[k];
      reference.process(expected.data(), int64_t(expected.size()));
      ASSERT_EQ(output[k], expected) << "buffer " << k;
      ASSERT_NE(output[k], input[k]) << "buffer " << k;
    }
  }
}

TEST_F(TapTest, AcceptsOnlyTheChainsInterleavedFormats) {
  struct Row {
    const char* caps;
    bool accepted;
  };
  const Row rows[] = {
      {"format=S16LE,layout=interleaved", true},  {"format=S24LE,layout=interleaved", true},
      {"format=S32LE,layout=interleaved", true},  {"format=F32LE,layout=interleaved", true},
      {"format=U8,layout=interleaved", false},    {"format=S16BE,layout=interleaved", false},
      {"format=F64LE,layout=interleaved", false}, {"format=S24_32LE,layout=interleaved", false},
      {"format=S20LE,layout=interleaved", false}, {"format=F32LE,layout=non-interleaved", false},
  };
  GstElement* element = gst_element_factory_make(tap::kTapFactoryName, nullptr);
  ASSERT_NE(element, nullptr);
  GstPad* sink = gst_element_get_static_pad(element, "sink");
  GstCaps* allowed = gst_pad_query_caps(sink, nullptr);
  for (const Row& r : rows) {
    SCOPED_TRACE(r.caps);
    GstCaps* caps =
        gst_caps_from_string((std::string("audio/x-raw,rate=44100,channels=2,") + r.caps).c_str());
    EXPECT_EQ(bool(gst_caps_can_intersect(caps, allowed)), r.accepted);
    gst_caps_unref(caps);
  }
  gst_caps_unref(allowed);
  gst_object_unref(sink);
  gst_object_unref(gst_object_ref_sink(element));
}

// A flush (seek, stop) reaching the tap empties the equalizer's overlap, so
// silence after it stays silent.
TEST_F(TapTest, FlushEventsClearTheOverlap) {
  for (bool flush : {false, true}) {
    SCOPED_TRACE(flush ? "flushed" : "not flushed");
    GstElement* pipeline = launch(
        "audiotestsrc num-buffers=4 wave=white-noise ! "
        "audio/x-raw,format=F32LE,rate=48000,channels=1,layout=interleaved ! "
        "tarvelinotap name=tap ! appsink name=sink sync=false");
    GstElement* element = gst_bin_get_by_name(GST_BIN(pipeline), "tap");
    audio::ProcessingChain* chain = tap::chainOf(element);
    ASSERT_NE(chain, nullptr);
    runToEnd(pipeline);
    if (flush) {
      GstPad* sink = gst_element_get_static_pad(element, "sink");
      EXPECT_TRUE(gst_pad_send_event(sink, gst_event_new_flush_start()));
      EXPECT_TRUE(gst_pad_send_event(sink, gst_event_new_flush_stop(TRUE)));
      gst_object_unref(sink);
    }
    gst_element_set_state(pipeline, GST_STATE_NULL);
    std::vector<float> silence(2000, 0.0f);
    chain->process(reinterpret_cast<uint8_t*>(silence.data()), int64_t(silence.size() * 4));
    const bool silent = std::all_of(silence.begin(), silence.end(), [](float v) { return v == 0; });
    EXPECT_EQ(silent, flush);
    gst_object_unref(element);
    gst_object_unref(pipeline);
  }
}

}  // namespace
