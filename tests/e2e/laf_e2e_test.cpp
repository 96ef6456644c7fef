// End-to-end runs of the LAF reports on the demo database: one run per class
// with its exact stream and steering data. The voice-LAF reports all run on
// the voice LAF of cell 17, face 0 (series 6); the antenna-face reports on
// the antenna of cell 14, face 1 (series 3, with CDMA and 3G equipment).
#include <gtest/gtest.h>

#include <string>

#include "tests/e2e/E2eSupport.h"

namespace {

const int kVoiceLaf = 4000051;
const int kAntennaFace = 2000043;

// AP cell, antenna and voice-LAF blocks of the voice LAF.
const std::string kVoiceLafAp =
    "CellName\tCELL00017\n"
    "cell_number\t17\n"
    "series\t6\n"
    "status\tu\n"
    "latitude\t40 20 47 N\n"
    "longitude\t 75 48 14 W\n"
    "trx_count\t6\n"
    "load_data\tLD1\n"
    "AntennaName\tCELL00017-0\n"
    "ANT_face\t0\n"
    "ANT_azimuth\t17\n"
    "ANT_beamwidth\t65\n"
    "ANT_gain_db\t15.7\n"
    "VoiceLAFName\tCELL00017-V0\n"
    "VLAF_face\t0\n"
    "VLAF_laf_number\t51\n"
    "VLAF_sat_code\t2\n"
    "VLAF_power_dbm\t42.0\n"
    "VLAF_channel\t351\n";

const std::string kFci =
    "fci_mode\toff\n"
    "fci_timer\t20\n"
    "fci_level\t-104\n";

const std::string kTrunkGroups =
    "TG_position[1]\t1\n"
    "TG_TrunkGroup[1]\tTG101\n"
    "TG_tg_number[1]\t101\n"
    "TG_kind[1]\tincoming\n"
    "TG_members[1]\t72\n"
    "TG_position[2]\t2\n"
    "TG_TrunkGroup[2]\tTG102\n"
    "TG_tg_number[2]\t102\n"
    "TG_kind[2]\toutgoing\n"
    "TG_members[2]\t96\n";

// "SWfcirasalsa", "SWceqface", "SWceqfacealtcar" and "DCSLocalKey".
const std::string kVoiceLafTail =
    "ras_mode\talsa\n"
    "alsa_level\t4\n"
    "CEQ_unit[1]\t1\n"
    "CEQ_frame[1]\t0\n"
    "CEQ_slot[1]\t2\n"
    "CEQ_channel[1]\t372\n"
    "CEQ_status[1]\tis\n"
    "CEQ_unit[2]\t2\n"
    "CEQ_frame[2]\t0\n"
    "CEQ_slot[2]\t4\n"
    "CEQ_channel[2]\t393\n"
    "CEQ_status[2]\tis\n"
    "altcar_channel\t751\n"
    "altcar_state\ton\n"
    "dcs_number\t1\n"
    "DCSLocalKey\tDCS1-17-0\n";

const std::string kPptg =
    "PPTG\tTG104\n"
    "pptg_number\t104\n"
    "pptg_members\t48\n";

// "AntennaLocalKey", "SGLocalKey" and "DCSLocalKey2".
const std::string kLocalKeys =
    "AntennaLocalKey\tANT17.0\n"
    "sg_number\t1\n"
    "SGLocalKey\tSG/1\n"
    "DCSLocalKey2\tSM2/51\n";

// The antenna-face report of the antenna face.
const std::string kAntennaFaceText =
    "CellName\tCELL00014\n"
    "cell_number\t14\n"
    "series\t3\n"
    "status\te\n"
    "fr0tech\tptmc\n"
    "fr1tech\tptmg\n"
    "fr2tech\tm1\n"
    "trx_count\t3\n"
    "load_data\tLD2\n"
    "AntennaName\tCELL00014-1\n"
    "ANT_face\t1\n"
    "ANT_azimuth\t134\n"
    "ANT_beamwidth\t70\n"
    "ANT_gain_db\t15.4\n"
    "CEQ_unit[1]\t1\n"
    "CEQ_frame[1]\t1\n"
    "CEQ_slot[1]\t3\n"
    "CEQ_channel[1]\t364\n"
    "CEQ_status[1]\tis\n"
    "CEQ_unit[2]\t2\n"
    "CEQ_frame[2]\t1\n"
    "CEQ_slot[2]\t5\n"
    "CEQ_channel[2]\t385\n"
    "CEQ_status[2]\tis\n"
    "altcar_channel\t743\n"
    "altcar_state\ton\n"
    "drl_level\t-100\n"
    "drl_mode\tadaptive\n"
    "eq2_amplifier\tLPA2\n"
    "eq2_filter\tSTD\n"
    "prsid\t43\n"
    "CDMACAR_unit[1]\t1\n"
    "CDMACAR_frame[1]\t4\n"
    "CDMACAR_slot[1]\t1\n"
    "CDMACAR_channel[1]\t383\n"
    "CDMACAR_status[1]\tis\n"
    "dcs_number\t1\n"
    "DCSLocalKey\tDCS1-14-1\n";

std::string steering(const std::string& templateName, const std::string& dataFile) {
  return "{\n  \"runMacro\": 0,\n  \"PFTemplateName\": \"" + templateName +
         "\",\n  \"PFDataFileName\": \"" + dataFile + "\"\n}\n";
}

// Runs `config` and checks the exit, the stream and the steering data.
void expectReport(const std::string& config, const std::string& className, int instance,
                  const std::string& templateName, const std::string& text) {
  ReportRun run = runExample("reports/laf/" + config + ".xml", className, instance);
  ASSERT_EQ(0, run.result.exitCode) << run.result.err;
  std::string base = config + "_" + std::to_string(instance);
  EXPECT_EQ(text, run.file(base + ".txt"));
  EXPECT_EQ(steering(templateName, base + ".txt"), run.file(base + ".steering.json"));
}

TEST(LafE2e, VoiceLafReport) {
  expectReport("voice_laf", "TarnelLAFReport", kVoiceLaf, "voicelaf.xlt",
               kVoiceLafAp + kFci + kTrunkGroups + kVoiceLafTail);
}

TEST(LafE2e, ServerGroupReport) {
  expectReport("server_group", "TarnelLAFServerGroupReport", kVoiceLaf, "laf.xlt",
               kVoiceLafAp +
                   "ServerGroup\tSG1\n"
                   "sg_number\t1\n"
                   "sg_local_key\tSG/1\n"
                   "sg_cells\t20\n" +
                   kFci + kTrunkGroups + kVoiceLafTail);
}

TEST(LafE2e, NeighbourListReport) {
  expectReport("neighbour_list", "TarnelLAFNeighbourListReport", kVoiceLaf, "nghbr.xlt",
               kVoiceLafAp + kLocalKeys + kTrunkGroups +
                   "NBR_cell[18A]\t18\n"
                   "NBR_sector[18A]\tA\n"
                   "NBR_laf[18A]\tCELL00018-V0\n"
                   "NBR_nant[18A]\t7 [012xxxx] \n"
                   "NBR_ho_priority[18A]\t1\n"
                   "NBR_cell[19B]\t19\n"
                   "NBR_sector[19B]\tB\n"
                   "NBR_laf[19B]\tCELL00019-V1\n"
                   "NBR_nant[19B]\t41 [0xxxxx6] \n"
                   "NBR_ho_priority[19B]\t2\n"
                   "NBR_cell[20C]\t20\n"
                   "NBR_sector[20C]\tC\n"
                   "NBR_laf[20C]\tCELL00020-V2\n"
                   "NBR_nant[20C]\t7f [0123456] \n"
                   "NBR_ho_priority[20C]\t3\n");
}

TEST(LafE2e, NeighbourListShowsNoBitsForZeroAndForText) {
  ReportRun run = runExample("reports/laf/neighbour_list.xml", "TarnelLAFNeighbourListReport",
                             4000048);
  ASSERT_EQ(0, run.result.exitCode) << run.result.err;
  std::string text = run.file("neighbour_list_4000048.txt");
  EXPECT_NE(std::string::npos, text.find("NBR_nant[17A]\t7f [0123456] \n"));
  EXPECT_NE(std::string::npos, text.find("NBR_nant[18B]\tnil [xxxxxxx] \n"));
  EXPECT_NE(std::string::npos, text.find("NBR_nant[19C]\t0 [xxxxxxx] \n"));
}

TEST(LafE2e, CdmaNeighbourListReport) {
  expectReport("cdma_neighbour_list", "TarnelLAFCDMANeighbourListReport", kVoiceLaf, "cnbr.xlt",
               kVoiceLafAp + kPptg + kLocalKeys + kTrunkGroups +
                   "CNBR_rank[1]\t1\n"
                   "CNBR_cell[1]\t16\n"
                   "CNBR_sector[1]\tB\n"
                   "CNBR_pn_offset[1]\t404\n"
                   "CNBR_search_window[1]\t6\n"
                   "CNBR_rank[2]\t2\n"
                   "CNBR_cell[2]\t15\n"
                   "CNBR_sector[2]\tC\n"
                   "CNBR_pn_offset[2]\t32\n"
                   "CNBR_search_window[2]\t8\n");
}

TEST(LafE2e, CdmaDhNeighbourListReport) {
  expectReport("cdma_dh_neighbour_list", "TarnelLAF_CDMA_DHNeighbourListReport", kVoiceLaf,
               "cdhonbr.xlt",
               kVoiceLafAp + kPptg + kLocalKeys + kTrunkGroups +
                   "DHO_rank[1]\t1\n"
                   "DHO_cell[1]\t14\n"
                   "DHO_sector[1]\tB\n"
                   "DHO_pn_offset[1]\t460\n"
                   "DHO_search_window[1]\t7\n"
                   "DHO_rank[2]\t2\n"
                   "DHO_cell[2]\t13\n"
                   "DHO_sector[2]\tC\n"
                   "DHO_pn_offset[2]\t88\n"
                   "DHO_search_window[2]\t9\n");
}

TEST(LafE2e, AntennaFaceReport) {
  expectReport("antenna_face", "TarnelLAFAntennaFaceReport", kAntennaFace, "antrpt.xlt",
               kAntennaFaceText);
}

TEST(LafE2e, AntennaFace3GReport) {
  expectReport("antenna_face_3g", "TarnelLAFAntennaFace3GReport", kAntennaFace,
               "antface3g.xlt",
               kAntennaFaceText +
                   "3G_unit[1]\t1\n"
                   "3G_frame[1]\t7\n"
                   "3G_slot[1]\t1\n"
                   "3G_uarfcn[1]\t10637\n"
                   "3G_status[1]\tis\n"
                   "3G_unit[2]\t2\n"
                   "3G_frame[2]\t7\n"
                   "3G_slot[2]\t2\n"
                   "3G_uarfcn[2]\t10562\n"
                   "3G_status[2]\tis\n"
                   "altcar3g_uarfcn\t10637\n"
                   "altcar3g_state\tactive\n"
                   "scrambling_code\t14\n"
                   "cpich_power_dbm\t33\n"
                   "street\t15 Mast Road\n"
                   "town\tSouthby\n"
                   "postcode\tTN15 5AB\n");
}

TEST(LafE2e, MahoReportWritesNoStream) {
  ReportRun run = runExample("reports/laf/laf_maho.xml", "TarnelLAFMahoReport", kVoiceLaf);
  ASSERT_EQ(0, run.result.exitCode) << run.result.err;
  EXPECT_FALSE(fileExists(run.folder + "/laf_maho_4000051.txt"));
  EXPECT_EQ(steering("", ""), run.file("laf_maho_4000051.steering.json"));
}

TEST(LafE2e, VoiceLafReportOnAnAntennaFaceFindsNoCell) {
  ReportRun run = runExample("reports/laf/voice_laf.xml", "TarnelLAFReport", kAntennaFace);
  EXPECT_EQ(1, run.result.exitCode);
  // The message is the engine's; the contexts after it are the command's.
  const std::string message =
      "tarnel-report: error: CellSeries query should only return exactly one row for "
      "VoiceLAF: 2000043\n";
  EXPECT_EQ(message, run.result.err.substr(0, message.size()));
}

}  // namespace
