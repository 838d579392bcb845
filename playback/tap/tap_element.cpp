#include "playback/tap/tap_element.h"

#include <gst/audio/audio.h>
#include <gst/audio/gstaudiofilter.h>
#include <gst/gst.h>

#include "audio/processing_chain.h"

namespace {

struct TarvelinoTap {
  GstAudioFilter parent;
  audio::ProcessingChain* chain;  // owned; created with the element
};

struct TarvelinoTapClass {
  GstAudioFilterClass parent_class;
};

enum { PropZero, PropChain, PropDspEnabled };

GType tarvelino_tap_get_type();
#define TARVELINO_TAP(obj) \
  (G_TYPE_CHECK_INSTANCE_CAST((obj), tarvelino_tap_get_type(), TarvelinoTap))

G_DEFINE_TYPE(TarvelinoTap, tarvelino_tap, GST_TYPE_AUDIO_FILTER)

void tapFinalize(GObject* object) {
  delete TARVELINO_TAP(object)->chain;
  G_OBJECT_CLASS(tarvelino_tap_parent_class)->finalize(object);
}

void tapGetProperty(GObject* object, guint id, GValue* value, GParamSpec* pspec) {
  TarvelinoTap* self = TARVELINO_TAP(object);
  switch (id) {
    case PropChain:
      g_value_set_pointer(value, self->chain);
      break;
    case PropDspEnabled:
      g_value_set_boolean(value, self->chain->dspEnabled());
      break;
    default:
      G_OBJECT_WARN_INVALID_PROPERTY_ID(object, id, pspec);
  }
}

void tapSetProperty(GObject* object, guint id, const GValue* value, GParamSpec* pspec) {
  TarvelinoTap* self = TARVELINO_TAP(object);
  switch (id) {
    case PropDspEnabled:
      self->chain->setDspEnabled(g_value_get_boolean(value));
      break;
    default:
      G_OBJECT_WARN_INVALID_PROPERTY_ID(object, id, pspec);
  }
}

// Negotiated format (streaming thread): becomes the chain's stream description.
gboolean tapSetup(GstAudioFilter* filter, const GstAudioInfo* info) {
  const auto format = audio::describeStream(
      GST_AUDIO_INFO_RATE(info), GST_AUDIO_INFO_CHANNELS(info), GST_AUDIO_INFO_WIDTH(info),
      GST_AUDIO_INFO_IS_FLOAT(info), audio::kWaveFormatPcm);
  if (!format) return FALSE;
  TARVELINO_TAP(filter)->chain->setFormat(*format);
  return TRUE;
}

GstFlowReturn tapTransformIp(GstBaseTransform* trans, GstBuffer* buffer) {
  GstMapInfo map;
  if (!gst_buffer_map(buffer, &map, GST_MAP_READWRITE)) return GST_FLOW_ERROR;
  TARVELINO_TAP(trans)->chain->process(map.data, int64_t(map.size));
  gst_buffer_unmap(buffer, &map);
  // A silent gap buffer now carries the equalizer's tail; sinks must play it.
  GST_BUFFER_FLAG_UNSET(buffer, GST_BUFFER_FLAG_GAP);
  return GST_FLOW_OK;
}

// Flush start arrives on the seeking thread, flush stop on the streaming path
// just before the first buffer after the seek; both empty the overlap, so
// that buffer carries nothing from before the seek.
gboolean tapSinkEvent(GstBaseTransform* trans, GstEvent* event) {
  if (GST_EVENT_TYPE(event) == GST_EVENT_FLUSH_START ||
      GST_EVENT_TYPE(event) == GST_EVENT_FLUSH_STOP)
    TARVELINO_TAP(trans)->chain->flush();
  return GST_BASE_TRANSFORM_CLASS(tarvelino_tap_parent_class)->sink_event(trans, event);
}

void tarvelino_tap_class_init(TarvelinoTapClass* klass) {
  GObjectClass* objectClass = G_OBJECT_CLASS(klass);
  objectClass->finalize = tapFinalize;
  objectClass->get_property = tapGetProperty;
  objectClass->set_property = tapSetProperty;
  g_object_class_install_property(
      objectClass, PropChain,
      g_param_spec_pointer("chain", "Chain", "The audio::ProcessingChain this tap runs",
                           GParamFlags(G_PARAM_READABLE | G_PARAM_STATIC_STRINGS)));
  g_object_class_install_property(
      objectClass, PropDspEnabled,
      g_param_spec_boolean("dsp-enabled", "DSP enabled", "Run the chain on every buffer", TRUE,
                           GParamFlags(G_PARAM_READWRITE | G_PARAM_STATIC_STRINGS)));

  GstCaps* caps = gst_caps_from_string(
      "audio/x-raw, format = (string) { S16LE, S24LE, S32LE, F32LE }, "
      "rate = (int) [ 1, MAX ], channels = (int) [ 1, MAX ], layout = (string) interleaved");
  gst_audio_filter_class_add_pad_templates(GST_AUDIO_FILTER_CLASS(klass), caps);
  gst_caps_unref(caps);
  gst_element_class_set_static_metadata(
      GST_ELEMENT_CLASS(klass), "Tarvelino sample tap", "Filter/Effect/Audio",
      "Dynamic amplifier, pre-amplifier and ten-band equalizer", "Tarvelino");
  GST_AUDIO_FILTER_CLASS(klass)->setup = tapSetup;
  GstBaseTransformClass* transClass = GST_BASE_TRANSFORM_CLASS(klass);
  transClass->transform_ip = tapTransformIp;
  transClass->sink_event = tapSinkEvent;
  transClass->transform_ip_on_passthrough = FALSE;
}

void tarvelino_tap_init(TarvelinoTap* self) {
  self->chain = new audio::ProcessingChain();
  gst_base_transform_set_in_place(GST_BASE_TRANSFORM(self), TRUE);
  gst_base_transform_set_passthrough(GST_BASE_TRANSFORM(self), FALSE);
}

}  // namespace

namespace tap {

bool registerTapElement() {
  return gst_element_register(nullptr, kTapFactoryName, GST_RANK_NONE, tarvelino_tap_get_type());
}

GstElement* createTapFilter() {
  if (!registerTapElement()) return nullptr;
  GstElement* convert = gst_element_factory_make("audioconvert", nullptr);
  GstElement* element = gst_element_factory_make(kTapFactoryName, nullptr);
  if (!convert || !element) {
    if (convert) gst_object_unref(gst_object_ref_sink(convert));
    if (element) gst_object_unref(gst_object_ref_sink(element));
    return nullptr;
  }
  GstElement* bin = gst_bin_new(nullptr);
  gst_bin_add_many(GST_BIN(bin), convert, element, nullptr);
  gst_element_link(convert, element);
  GstPad* sink = gst_element_get_static_pad(convert, "sink");
  GstPad* src = gst_element_get_static_pad(element, "src");
  gst_element_add_pad(bin, gst_ghost_pad_new("sink", sink));
  gst_element_add_pad(bin, gst_ghost_pad_new("src", src));
  gst_object_unref(sink);
  gst_object_unref(src);
  return bin;
}

audio::ProcessingChain* chainOf(GstElement* element) {
  if (!element) return nullptr;
  if (G_TYPE_CHECK_INSTANCE_TYPE(element, tarvelino_tap_get_type()))
    return TARVELINO_TAP(element)->chain;
  if (!GST_IS_BIN(element)) return nullptr;
  audio::ProcessingChain* found = nullptr;
  GstIterator* it = gst_bin_iterate_recurse(GST_BIN(element));
  GValue item = G_VALUE_INIT;
  bool more = true;
  while (more && !found) {
    switch (gst_iterator_next(it, &item)) {
      case GST_ITERATOR_OK: {
        auto* child = GST_ELEMENT(g_value_get_object(&item));
        if (G_TYPE_CHECK_INSTANCE_TYPE(child, tarvelino_tap_get_type()))
          found = TARVELINO_TAP(child)->chain;
        g_value_reset(&item);
        break;
      }
      case GST_ITERATOR_RESYNC:
        gst_iterator_resync(it);
        break;
      default:
        more = false;
    }
  }
  if (G_IS_VALUE(&item)) g_value_unset(&item);
  gst_iterator_free(it);
  return found;
}

}  // namespace tap
