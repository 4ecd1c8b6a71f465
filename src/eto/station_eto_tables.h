// Every station's monthly mean reference evapotranspiration (ETo), in mm/day, January to
// December, each held as the nearest single-precision number. A station's table is named after
// its procedure (FillEToTak reads EToTak); FillStationETo spreads it over the days of the months.
#pragma once

#include <array>

namespace tuvo {

// Twelve monthly means, element 0 is January.
using StationEToTable = std::array<float, 12>;

// Tables A: 36 stations.
inline constexpr StationEToTable EToUttaradit = {
    2.99f, 3.60f, 4.46f, 5.16f, 4.89f, 4.28f, 4.02f, 3.80f, 4.01f, 3.90f, 3.34f, 2.88f};
inline constexpr StationEToTable EToKamphaengPhet = {
    3.30f, 3.99f, 4.77f, 5.35f, 4.82f, 4.30f, 4.11f, 3.89f, 3.93f, 3.77f, 3.40f, 3.03f};
inline constexpr StationEToTable EToTak = {
    3.08f, 4.09f, 5.28f, 6.09f, 5.06f, 4.27f, 4.23f, 3.97f, 3.74f, 3.55f, 3.18f, 2.81f};
inline constexpr StationEToTable EToKhueanPhumiphonTak = {
    3.32f, 4.34f, 5.32f, 5.88f, 5.04f, 4.33f, 4.30f, 4.08f, 3.94f, 3.71f, 3.25f, 2.89f};
inline constexpr StationEToTable EToPhrae = {
    2.90f, 3.62f, 4.73f, 5.53f, 5.01f, 4.49f, 4.14f, 3.90f, 3.94f, 3.80f, 3.22f, 2.72f};
inline constexpr StationEToTable EToSukhothai = {
    3.17f, 3.78f, 4.61f, 4.99f, 4.71f, 4.40f, 4.61f, 4.27f, 3.94f, 3.81f, 3.60f, 3.19f};
inline constexpr StationEToTable EToUdonThani = {
    3.07f, 3.82f, 4.69f, 5.27f, 4.84f, 4.34f, 4.18f, 3.94f, 4.11f, 3.97f, 3.41f, 2.96f};
inline constexpr StationEToTable EToNongKhai = {
    3.05f, 3.75f, 4.65f, 5.17f, 4.63f, 4.08f, 3.94f, 3.73f, 4.02f, 3.85f, 3.29f, 2.84f};
inline constexpr StationEToTable EToLoei = {
    3.13f, 3.90f, 4.48f, 4.89f, 4.46f, 4.14f, 3.84f, 3.68f, 3.64f, 3.46f, 3.02f, 2.82f};
inline constexpr StationEToTable EToSakonNakhon = {
    3.50f, 4.20f, 4.77f, 5.00f, 4.46f, 3.97f, 3.92f, 3.66f, 3.82f, 3.81f, 3.47f, 3.15f};
inline constexpr StationEToTable EToKhonKaen = {
    3.23f, 3.92f, 4.62f, 5.01f, 4.73f, 4.29f, 4.15f, 3.90f, 3.77f, 3.72f, 3.49f, 3.08f};
inline constexpr StationEToTable EToRoiEt = {
    3.54f, 4.19f, 4.81f, 5.24f, 4.88f, 4.41f, 4.33f, 3.95f, 3.86f, 3.86f, 3.61f, 3.40f};
inline constexpr StationEToTable EToKosumPhisaiMahaSarakham = {
    3.12f, 3.93f, 4.76f, 5.23f, 4.89f, 4.51f, 4.27f, 4.10f, 4.07f, 3.99f, 3.42f, 3.09f};
inline constexpr StationEToTable EToUbonRatchathani = {
    3.98f, 4.61f, 5.15f, 5.31f, 4.90f, 4.31f, 4.22f, 3.96f, 3.73f, 3.99f, 4.20f, 4.04f};
inline constexpr StationEToTable EToNakhonPhanom = {
    3.24f, 3.68f, 4.23f, 4.53f, 4.20f, 3.58f, 3.48f, 3.32f, 3.55f, 3.62f, 3.36f, 3.04f};
inline constexpr StationEToTable EToNakhonRatchasima = {
    3.36f, 4.05f, 4.76f, 5.11f, 4.74f, 4.47f, 4.35f, 4.09f, 3.83f, 3.82f, 3.55f, 3.26f};
inline constexpr StationEToTable EToChokChaiNakhonRatchasima = {
    3.38f, 4.22f, 5.01f, 5.33f, 4.83f, 4.60f, 4.44f, 4.18f, 3.93f, 3.88f, 3.56f, 3.24f};
inline constexpr StationEToTable EToSurin = {
    3.66f, 4.31f, 4.89f, 5.10f, 4.87f, 4.35f, 4.25f, 4.08f, 3.79f, 3.84f, 3.71f, 3.53f};
inline constexpr StationEToTable EToKabinBuriPrachinBuri = {
    3.60f, 4.35f, 4.89f, 5.13f, 4.48f, 3.93f, 3.79f, 3.56f, 3.56f, 3.85f, 3.97f, 3.85f};
inline constexpr StationEToTable EToSaKaeo = {
    3.77f, 4.38f, 4.89f, 4.56f, 4.30f, 3.89f, 3.81f, 3.96f, 3.81f, 3.89f, 3.62f, 3.52f};
inline constexpr StationEToTable EToAranyaprathetSaKaeo = {
    3.78f, 4.50f, 5.23f, 5.34f, 4.78f, 4.33f, 4.25f, 4.01f, 3.92f, 3.95f, 3.81f, 3.64f};
inline constexpr StationEToTable EToRayong = {
    3.82f, 4.47f, 4.94f, 5.07f, 4.56f, 4.39f, 4.27f, 4.24f, 3.75f, 3.67f, 3.78f, 3.75f};
inline constexpr StationEToTable EToKhlongYaiTrat = {
    3.97f, 4.28f, 4.68f, 4.84f, 4.42f, 3.72f, 3.72f, 3.60f, 3.64f, 3.80f, 3.99f, 3.95f};
inline constexpr StationEToTable EToLopBuri = {
    3.72f, 4.42f, 5.21f, 5.53f, 4.99f, 4.43f, 4.26f, 3.98f, 3.85f, 3.98f, 3.95f, 3.76f};
inline constexpr StationEToTable EToBuaChumLopBuri = {
    3.82f, 4.63f, 5.34f, 5.51f, 4.86f, 4.30f, 4.13f, 3.78f, 3.73f, 3.96f, 3.82f, 3.68f};
inline constexpr StationEToTable EToPhetchabun = {
    3.18f, 3.90f, 4.74f, 5.18f, 4.82f, 3.92f, 3.62f, 3.37f, 3.44f, 3.58f, 3.43f, 3.16f};
inline constexpr StationEToTable EToLomSakPhetchabun = {
    3.09f, 3.81f, 4.62f, 5.08f, 4.74f, 4.21f, 3.85f, 3.64f, 3.71f, 3.82f, 3.29f, 2.86f};
inline constexpr StationEToTable EToKrungThep = {
    3.72f, 4.52f, 5.07f, 5.23f, 4.68f, 4.20f, 4.10f, 3.98f, 3.70f, 3.64f, 3.58f, 3.47f};
inline constexpr StationEToTable EToSuphanBuri = {
    3.69f, 4.47f, 5.30f, 5.65f, 5.08f, 4.64f, 4.45f, 4.20f, 3.94f, 3.92f, 3.85f, 3.62f};
inline constexpr StationEToTable EToKanchanaburi = {
    3.59f, 4.42f, 5.23f, 5.64f, 5.04f, 4.45f, 4.37f, 4.17f, 3.98f, 3.80f, 3.70f, 3.49f};
inline constexpr StationEToTable EToPhetchaburi = {
    3.66f, 4.49f, 5.17f, 5.40f, 4.85f, 4.23f, 4.11f, 3.92f, 3.78f, 3.66f, 3.63f, 3.37f};
inline constexpr StationEToTable EToHuaHinPrachuapKhiriKhan = {
    3.82f, 4.52f, 4.93f, 5.06f, 4.57f, 3.98f, 4.02f, 3.95f, 3.78f, 3.64f, 3.57f, 3.74f};
inline constexpr StationEToTable EToRanong = {
    4.02f, 4.44f, 4.88f, 4.86f, 4.22f, 3.74f, 3.73f, 3.63f, 3.66f, 3.71f, 3.66f, 3.85f};
inline constexpr StationEToTable EToSuratThani = {
    3.81f, 4.49f, 4.74f, 4.66f, 4.15f, 3.83f, 3.90f, 3.92f, 3.72f, 3.39f, 3.02f, 3.16f};
inline constexpr StationEToTable EToSongkhla = {
    4.64f, 5.05f, 5.25f, 5.21f, 4.71f, 4.39f, 4.49f, 4.67f, 4.40f, 3.88f, 3.42f, 3.70f};
inline constexpr StationEToTable EToSatun = {
    4.89f, 5.08f, 4.99f, 4.53f, 4.11f, 3.97f, 3.88f, 4.01f, 3.82f, 3.70f, 3.73f, 4.11f};

// Tables B: 37 stations.
inline constexpr StationEToTable EToTrang = {
    4.62f, 5.09f, 5.18f, 4.76f, 4.39f, 3.90f, 3.89f, 3.96f, 3.76f, 3.59f, 3.52f, 3.93f};
inline constexpr StationEToTable EToMaeSotTak = {
    3.18f, 4.00f, 5.08f, 5.81f, 4.83f, 3.86f, 3.59f, 3.43f, 3.72f, 3.87f, 3.52f, 3.11f};
inline constexpr StationEToTable EToNangRongBuriRam = {
    3.37f, 4.08f, 4.75f, 5.19f, 4.97f, 4.63f, 4.39f, 4.20f, 4.10f, 4.07f, 3.66f, 3.38f};
inline constexpr StationEToTable EToPattani = {
    3.98f, 4.44f, 4.76f, 4.73f, 4.15f, 3.89f, 3.94f, 4.00f, 3.99f, 3.65f, 3.29f, 3.37f};
inline constexpr StationEToTable EToTakuaPaPhangNga = {
    4.14f, 4.52f, 4.88f, 4.78f, 4.25f, 4.09f, 3.98f, 4.02f, 3.82f, 3.77f, 3.72f, 3.90f};
inline constexpr StationEToTable EToThaTumSurin = {
    3.26f, 4.00f, 4.71f, 5.21f, 4.80f, 4.40f, 4.23f, 4.13f, 4.00f, 4.03f, 3.61f, 3.31f};
inline constexpr StationEToTable EToThaWangPhaNan = {
    2.63f, 3.27f, 4.25f, 4.93f, 4.66f, 4.07f, 3.76f, 3.59f, 3.81f, 3.62f, 2.95f, 2.41f};
inline constexpr StationEToTable EToThongPhaPhumKanchanaburi = {
    3.09f, 3.71f, 4.57f, 5.08f, 4.61f, 3.67f, 3.42f, 3.23f, 3.40f, 3.65f, 3.41f, 2.91f};
inline constexpr StationEToTable EToThungChangNan = {
    2.96f, 3.53f, 4.36f, 5.10f, 4.63f, 4.18f, 4.14f, 3.75f, 4.09f, 3.83f, 3.23f, 2.82f};
inline constexpr StationEToTable EToUmphangTak = {
    2.94f, 3.51f, 4.23f, 4.75f, 4.23f, 3.35f, 3.26f, 3.05f, 3.16f, 3.34f, 3.17f, 2.74f};
inline constexpr StationEToTable EToWichianBuriPhetchabun = {
    3.25f, 4.05f, 4.90f, 5.31f, 4.74f, 4.20f, 3.94f, 3.70f, 3.66f, 3.84f, 3.51f, 3.12f};
inline constexpr StationEToTable EToAngThong = {
    3.68f, 4.43f, 5.16f, 5.47f, 4.90f, 4.47f, 4.26f, 4.06f, 3.87f, 3.87f, 3.87f, 3.61f};
inline constexpr StationEToTable EToPhraNakhonSiAyutthaya = {
    3.81f, 4.43f, 5.10f, 5.27f, 4.77f, 4.33f, 4.19f, 4.00f, 3.80f, 3.87f, 3.87f, 3.74f};
inline constexpr StationEToTable EToChachoengsao = {
    3.87f, 4.43f, 5.03f, 5.13f, 4.65f, 4.27f, 4.13f, 4.00f, 3.80f, 3.87f, 3.93f, 3.81f};
inline constexpr StationEToTable EToChaiNat = {
    3.55f, 4.14f, 5.10f, 5.40f, 4.84f, 4.13f, 4.00f, 3.81f, 3.73f, 3.74f, 3.67f, 3.23f};
inline constexpr StationEToTable EToNonthaburi = {
    3.81f, 4.29f, 5.10f, 5.27f, 4.77f, 4.40f, 4.19f, 4.06f, 3.80f, 3.81f, 3.93f, 3.81f};
inline constexpr StationEToTable EToPathumThani = {
    3.81f, 4.29f, 5.10f, 5.27f, 4.77f, 4.40f, 4.19f, 4.06f, 3.80f, 3.81f, 3.93f, 3.81f};
inline constexpr StationEToTable EToNakhonPathom = {
    3.81f, 4.43f, 5.10f, 5.27f, 4.77f, 4.33f, 4.26f, 4.06f, 3.87f, 3.81f, 3.87f, 3.74f};
inline constexpr StationEToTable EToKrabi = {
    4.26f, 4.71f, 4.97f, 4.73f, 4.13f, 3.93f, 3.94f, 4.00f, 3.73f, 3.61f, 3.60f, 3.81f};
inline constexpr StationEToTable EToPhatthalung = {
    4.32f, 4.71f, 4.90f, 4.67f, 4.26f, 4.00f, 4.00f, 4.06f, 3.87f, 3.68f, 3.40f, 3.68f};
inline constexpr StationEToTable EToPhichit = {
    3.29f, 4.14f, 5.23f, 5.53f, 4.97f, 4.27f, 4.00f, 3.81f, 3.77f, 3.48f, 3.47f, 3.16f};
inline constexpr StationEToTable EToRatchaburi = {
    3.74f, 4.43f, 5.10f, 5.27f, 4.77f, 4.33f, 4.19f, 4.06f, 3.87f, 3.74f, 3.80f, 3.68f};
inline constexpr StationEToTable EToSamutPrakan = {
    3.81f, 4.29f, 5.10f, 5.27f, 4.77f, 4.40f, 4.19f, 4.06f, 3.80f, 3.81f, 3.93f, 3.81f};
inline constexpr StationEToTable EToSamutSakhon = {
    3.81f, 4.29f, 5.10f, 5.27f, 4.77f, 4.40f, 4.19f, 4.06f, 3.80f, 3.81f, 3.93f, 3.81f};
inline constexpr StationEToTable EToSamutSongkhram = {
    3.74f, 4.43f, 5.10f, 5.27f, 4.77f, 4.33f, 4.19f, 4.06f, 3.87f, 3.74f, 3.80f, 3.68f};
inline constexpr StationEToTable EToSaraburi = {
    3.74f, 4.43f, 5.10f, 5.20f, 4.77f, 4.33f, 4.13f, 3.94f, 3.80f, 3.81f, 3.87f, 3.68f};
inline constexpr StationEToTable EToSingBuri = {
    3.55f, 4.36f, 5.16f, 5.47f, 4.84f, 4.33f, 4.13f, 4.00f, 3.80f, 3.81f, 3.73f, 3.55f};
inline constexpr StationEToTable EToSiSaKet = {
    3.61f, 4.29f, 4.97f, 5.13f, 4.84f, 4.67f, 4.19f, 4.00f, 4.07f, 3.87f, 3.73f, 3.48f};
inline constexpr StationEToTable EToAmnatCharoen = {
    3.48f, 4.14f, 4.90f, 5.20f, 4.71f, 4.20f, 4.13f, 3.87f, 3.87f, 3.68f, 3.73f, 3.39f};
inline constexpr StationEToTable EToUthaiThani = {
    3.35f, 4.00f, 4.97f, 5.33f, 4.71f, 4.00f, 3.81f, 3.61f, 3.60f, 3.68f, 3.60f, 3.10f};
inline constexpr StationEToTable EToYala = {
    4.13f, 4.50f, 4.77f, 4.67f, 4.19f, 3.63f, 3.94f, 4.00f, 3.93f, 3.68f, 3.47f, 3.48f};
inline constexpr StationEToTable EToYasothon = {
    3.48f, 4.14f, 4.90f, 5.20f, 4.71f, 4.20f, 4.13f, 3.87f, 3.87f, 3.68f, 3.73f, 3.39f};
inline constexpr StationEToTable EToNakhonNayok = {
    3.81f, 4.43f, 4.97f, 5.13f, 4.65f, 4.13f, 4.06f, 3.87f, 3.80f, 3.94f, 3.93f, 3.81f};
inline constexpr StationEToTable EToKalasin = {
    3.48f, 4.14f, 4.90f, 5.13f, 4.77f, 4.33f, 4.13f, 4.00f, 4.00f, 3.81f, 3.60f, 3.29f};
inline constexpr StationEToTable EToNakhonSawan = {
    3.62f, 4.93f, 5.97f, 6.28f, 5.32f, 4.75f, 4.45f, 4.08f, 3.84f, 3.79f, 3.49f, 3.24f};
inline constexpr StationEToTable EToChaiyaphum = {
    3.51f, 4.28f, 5.07f, 5.45f, 5.02f, 4.67f, 4.49f, 4.23f, 4.14f, 4.16f, 3.84f, 3.45f};
inline constexpr StationEToTable EToChanthaburi = {
    3.81f, 4.10f, 4.37f, 4.53f, 3.86f, 3.35f, 3.41f, 3.37f, 3.24f, 3.51f, 3.85f, 3.88f};

// Tables C: 18 stations.
inline constexpr StationEToTable EToChiangMai = {
    2.98f, 3.96f, 4.87f, 5.56f, 5.24f, 4.33f, 3.90f, 3.62f, 3.77f, 3.67f, 2.60f, 2.26f};
inline constexpr StationEToTable EToLamphun = {
    2.76f, 3.57f, 4.68f, 5.50f, 4.99f, 4.44f, 4.15f, 3.85f, 3.84f, 3.61f, 3.04f, 2.53f};
inline constexpr StationEToTable EToMaeHongSon = {
    2.63f, 3.25f, 4.11f, 5.17f, 4.93f, 4.07f, 3.73f, 3.57f, 3.80f, 3.64f, 3.02f, 2.50f};
inline constexpr StationEToTable EToPhayao = {
    2.71f, 3.44f, 4.45f, 5.10f, 4.80f, 4.42f, 4.09f, 3.92f, 3.96f, 3.61f, 2.97f, 2.48f};
inline constexpr StationEToTable EToChiangRai = {
    2.60f, 3.33f, 3.92f, 4.66f, 4.46f, 3.89f, 3.55f, 3.50f, 3.52f, 3.26f, 2.71f, 2.35f};
inline constexpr StationEToTable EToNan = {
    2.69f, 3.35f, 4.20f, 4.99f, 4.78f, 4.34f, 4.01f, 3.80f, 4.01f, 3.72f, 3.02f, 2.52f};
inline constexpr StationEToTable EToLampang = {
    2.81f, 3.49f, 4.46f, 5.24f, 4.94f, 4.39f, 4.11f, 3.89f, 3.90f, 3.66f, 3.08f, 2.60f};
inline constexpr StationEToTable EToPhitsanulok = {
    3.13f, 4.00f, 4.81f, 5.41f, 5.01f, 4.24f, 4.00f, 3.80f, 3.77f, 3.71f, 3.30f, 2.97f};
inline constexpr StationEToTable EToNakhonSiThammarat = {
    3.72f, 4.21f, 4.66f, 4.71f, 4.33f, 4.22f, 4.22f, 4.31f, 4.03f, 3.71f, 3.33f, 3.31f};
inline constexpr StationEToTable EToMukdahan = {
    3.66f, 4.32f, 5.13f, 5.39f, 4.73f, 4.25f, 3.94f, 3.82f, 4.04f, 4.11f, 3.96f, 3.58f};
inline constexpr StationEToTable EToPhuket = {
    4.48f, 4.86f, 5.09f, 4.89f, 4.33f, 4.18f, 4.11f, 4.34f, 4.08f, 3.90f, 3.89f, 4.21f};
inline constexpr StationEToTable EToPrachinBuri = {
    3.75f, 4.27f, 4.85f, 5.01f, 4.57f, 4.06f, 3.97f, 3.76f, 3.85f, 4.05f, 4.01f, 3.79f};
inline constexpr StationEToTable EToPrachuapKhiriKhan = {
    3.88f, 4.32f, 4.88f, 5.18f, 4.78f, 4.30f, 4.36f, 4.26f, 4.18f, 3.89f, 4.10f, 4.20f};
inline constexpr StationEToTable EToChonBuri = {
    4.07f, 4.63f, 5.27f, 5.44f, 4.93f, 4.56f, 4.48f, 4.24f, 3.99f, 4.05f, 4.15f, 4.08f};
inline constexpr StationEToTable EToChumphon = {
    3.89f, 4.38f, 4.90f, 5.02f, 4.50f, 4.01f, 4.02f, 3.93f, 3.93f, 3.78f, 3.59f, 3.72f};
inline constexpr StationEToTable EToNarathiwat = {
    3.93f, 4.37f, 4.69f, 4.84f, 4.36f, 4.07f, 4.04f, 4.11f, 4.11f, 3.86f, 3.42f, 3.41f};
inline constexpr StationEToTable EToSattahipChonBuri = {
    4.19f, 4.61f, 5.15f, 5.31f, 4.70f, 4.49f, 4.45f, 4.32f, 4.03f, 3.90f, 4.19f, 4.47f};
inline constexpr StationEToTable EToPhatthayaChonBuri = {
    4.01f, 4.43f, 4.87f, 4.97f, 4.47f, 4.30f, 4.24f, 4.21f, 3.71f, 3.54f, 3.91f, 4.25f};

}  // namespace tuvo
